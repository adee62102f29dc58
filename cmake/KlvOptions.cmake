# One interface target carries the language standard, the warnings and the Qt
# defines; every target of the project links it.
add_library(klv_options INTERFACE)
target_compile_features(klv_options INTERFACE cxx_std_20)
target_compile_options(klv_options INTERFACE -Wall -Wextra -Werror)
target_compile_definitions(klv_options INTERFACE
  QT_DISABLE_DEPRECATED_UP_TO=0x060000)
if(KLV_SANITIZE)
  target_compile_options(klv_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(klv_options INTERFACE -fsanitize=address,undefined)
endif()
if(KLV_FUZZ)
  target_compile_options(klv_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(klv_options INTERFACE -fsanitize=address,undefined)
endif()

#pragma once

#include <QString>

// Messages of the settings screen that the language table does not hold, in
// the ten interface languages (0 Dutch .. 9 Turkish), for the installation's
// current language. Only characters Windows-1252 has, as in the table.
enum class ExtraText {
  BadSetName,     // "This name cannot be used for a settings set:"
  NameEmpty,      // "Type a name first"
  NameReserved,   // "The system reserves this name"
  NameCharacter,  // "Not allowed in a name: %1"
  NameTrailing,   // "A name may not end with a dot or a blank"
  NameTooLong,    // "At most %1 characters"
  SetIncomplete,  // "This settings set is incomplete:"
  FileMissing,    // "%1 is missing"
  NoSuchSet,      // "There is no settings set named"
  LoadFailed,     // "Loading failed, nothing was changed:"
  StoreFailed,    // "Storing the settings set failed:"
  CouldNotSave,   // "Could not save:"
  Count
};

QString GetExtraText(ExtraText id);
QString GetExtraText(ExtraText id, int language);

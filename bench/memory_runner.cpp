// The measuring half of bench_memory, without Qt. A page mapped by two
// processes counts half to each one's Pss: a measuring process that maps the
// Qt libraries itself would take part of the measured program's shared pages
// and, since both programs map those libraries, shrink the bare window's
// figure most. bench_memory prepares the installation and then becomes this
// program, so nothing else maps the pages being counted.
//
//   memory_runner RUNS SCRATCH BARE PROGRAM
//
// Runs BARE and PROGRAM alternately RUNS times (their environment asks them to
// print their memory after the first frame), prints the medians and the Pss
// ratio, and removes the SCRATCH folder. Linux only.

#include <ftw.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The "Name: value" lines the program printed (kB); empty when it failed.
std::map<std::string, double> Run(const char* program) {
  std::map<std::string, double> figures;
  int out[2];
  if (pipe(out) != 0) return figures;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  char* argv[] = {const_cast<char*>(program), nullptr};
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0)
      text.append(buffer, size_t(n));
    else if (errno != EINTR)
      break;
  }
  close(out[0]);
  if (spawned != 0) return figures;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return figures;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    const size_t colon = line.find(':');
    if (colon != std::string::npos) figures[line.substr(0, colon)] = std::atof(line.c_str() + colon + 1);
    at = end + 1;
  }
  return figures;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int RemoveEntry(const char* path, const struct stat*, int, FTW*) { return remove(path); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: memory_runner RUNS SCRATCH BARE PROGRAM\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const char* names[] = {"Rss", "Pss", "Anonymous"};
  std::map<std::string, std::vector<double>> own, bare;
  int result = 0;
  for (int i = 0; i < runs && result == 0; ++i) {
    auto b = Run(argv[3]);
    auto p = Run(argv[4]);
    if (!b.count("Pss") || !p.count("Pss")) {
      std::fprintf(stderr, "a run failed or printed no memory figures\n");
      result = 1;
      break;
    }
    for (const char* n : names) {
      own[n].push_back(p[n] / 1024);
      bare[n].push_back(b[n] / 1024);
    }
  }
  if (result == 0) {
    std::printf("memory a second after the first frame, offscreen (median of %d runs), MiB:\n", runs);
    for (const char* n : names)
      std::printf("  %-9s program %.1f, bare window %.1f\n", n, Median(own[n]), Median(bare[n]));
    // Rss counts every resident page the process maps; Pss divides shared
    // pages among the processes mapping them, so it falls for both programs,
    // and the ratio rises, while other Qt programs run.
    std::printf(
        "ratio program / bare window: Rss %.2f (aim <= 1.5), Pss %.2f (alone on the machine: aim <= 1.5)\n",
        Median(own["Rss"]) / Median(bare["Rss"]), Median(own["Pss"]) / Median(bare["Pss"]));
  }
  std::fflush(stdout);
  nftw(argv[2], RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  return result;
}

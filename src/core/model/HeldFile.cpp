#include "core/model/HeldFile.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace {

// One mapped file under a read lease; `fd` is -1 once the lease is given up
// (the bytes then lie in private memory at the same address).
struct Mapping {
  void* address = nullptr;
  size_t length = 0;
  int fd = -1;
};

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

// The mappings still leased, by descriptor.
std::unordered_map<int, Mapping*>& Leased() {
  static std::unordered_map<int, Mapping*> leased;
  return leased;
}

int g_wakeWrite = -1;

// Any thread may take the lease-break signal: it only passes the descriptor on.
void OnLeaseBreak(int, siginfo_t* info, void*) {
  const int saved = errno;
  const int fd = info->si_fd;
  [[maybe_unused]] const ssize_t n = write(g_wakeWrite, &fd, sizeof fd);
  errno = saved;
}

// Copies the mapped bytes into private memory put in the mapping's place,
// then gives the lease up so the writer may go on. Called with Guard() held.
void GiveUp(Mapping& m) {
  void* copy = mmap(nullptr, m.length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (copy != MAP_FAILED) {
    std::memcpy(copy, m.address, m.length);
    mprotect(copy, m.length, PROT_READ);
    // Replaces the file's pages by the copy in one step: a reader on another
    // thread sees the same bytes before and after.
    if (mremap(copy, m.length, m.length, MREMAP_MAYMOVE | MREMAP_FIXED, m.address) == MAP_FAILED)
      munmap(copy, m.length);
  }
  // Without memory for the copy the lease goes all the same: holding it
  // would only make the writer wait for the kernel to break it.
  fcntl(m.fd, F_SETLEASE, F_UNLCK);
  close(m.fd);
  Leased().erase(m.fd);
  m.fd = -1;
}

int LeaseSignal() { return SIGRTMIN + 6; }

// The signal handler and the thread that answers lease breaks, made once.
bool StartWatching() {
  static const bool started = [] {
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0) return false;
    g_wakeWrite = wake[1];
    struct sigaction action {};
    action.sa_sigaction = OnLeaseBreak;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    if (sigaction(LeaseSignal(), &action, nullptr) != 0) return false;
    std::thread([readEnd = wake[0]] {
      int fd = -1;
      for (;;) {
        const ssize_t n = read(readEnd, &fd, sizeof fd);
        if (n < 0 && errno == EINTR) continue;
        if (n != sizeof fd) return;
        std::lock_guard<std::mutex> lock(Guard());
        const auto it = Leased().find(fd);
        if (it != Leased().end()) GiveUp(*it->second);
      }
    }).detach();
    return true;
  }();
  return started;
}

void Unmap(Mapping* m) {
  {
    std::lock_guard<std::mutex> lock(Guard());
    if (m->fd >= 0) {
      Leased().erase(m->fd);
      fcntl(m->fd, F_SETLEASE, F_UNLCK);
      close(m->fd);
    }
    munmap(m->address, m->length);
  }
  delete m;
}

}  // namespace

std::optional<THeldFile> HoldFile(const QString& path, qint64 maxSize) {
  if (!StartWatching()) return std::nullopt;
  const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat before {};
  if (fstat(fd, &before) != 0 || !S_ISREG(before.st_mode) || before.st_size <= 0 ||
      before.st_size > maxSize) {
    close(fd);
    return std::nullopt;
  }
  // The lease first: from then on nobody changes the file unnoticed. It is
  // refused while the file is open for writing anywhere. The guard is held
  // until the mapping is registered, so that an early break waits for it.
  std::unique_lock<std::mutex> lock(Guard());
  if (fcntl(fd, F_SETSIG, LeaseSignal()) != 0 || fcntl(fd, F_SETLEASE, F_RDLCK) != 0) {
    close(fd);
    return std::nullopt;
  }
  struct stat now {};
  void* address = MAP_FAILED;
  if (fstat(fd, &now) == 0 && now.st_size == before.st_size)
    address = mmap(nullptr, size_t(now.st_size), PROT_READ, MAP_SHARED, fd, 0);
  if (address == MAP_FAILED) {
    fcntl(fd, F_SETLEASE, F_UNLCK);
    close(fd);
    return std::nullopt;
  }
  auto* m = new Mapping{address, size_t(now.st_size), fd};
  Leased()[fd] = m;
  lock.unlock();
  THeldFile held;
  held.bytes = QByteArray::fromRawData(static_cast<const char*>(address), qsizetype(now.st_size));
  held.keeper = std::shared_ptr<const void>(m, [](Mapping* p) { Unmap(p); });
  return held;
}

#else

std::optional<THeldFile> HoldFile(const QString&, qint64) { return std::nullopt; }

#endif

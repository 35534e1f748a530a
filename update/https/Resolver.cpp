#include "update/https/Resolver.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "common/Encoding.h"
#include "update/https/HttpsErrors.h"
#include "update/https/Socket.h"

namespace quirel::update {
namespace {

int Lookup(const std::string& name, const std::string& service, addrinfo** found) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  return getaddrinfo(name.c_str(), service.c_str(), &hints, found);
}

// One lookup shared by the caller and the lookup thread; whoever is last frees it.
struct TLookup {
  std::mutex Lock;
  std::condition_variable Done;
  bool Finished = false;
  bool Abandoned = false;  // the caller gave up: the thread frees what it found
  int Code = 0;
  addrinfo* Found = nullptr;
};

}  // namespace

TAddrInfo ResolveHost(const std::wstring& host, uint16_t port,
                      std::chrono::steady_clock::time_point deadline) {
  const std::wstring endpoint = host + L":" + std::to_wstring(port);
  const std::string name = WideToUtf8(host);
  const std::string service = std::to_string(port);
  int code = 0;
  addrinfo* found = nullptr;
  if (deadline == std::chrono::steady_clock::time_point::max()) {
    code = Lookup(name, service, &found);
  } else {
    const auto timedOut = [&] {
      return EHttpsTimeout(L"The request to " + endpoint +
                           L" reached its deadline while resolving the host name");
    };
    if (std::chrono::steady_clock::now() >= deadline) throw timedOut();
    const auto lookup = std::make_shared<TLookup>();
    try {
      // Thread: a lookup thread of its own. It touches only its copies of the name and the
      // shared lookup, so the caller may be long gone when it ends.
      std::thread([lookup, name, service]() noexcept {
        try {
          const TWinsock winsock;  // the caller's may have ended by then
          addrinfo* result = nullptr;
          const int status = Lookup(name, service, &result);
          std::unique_lock lock(lookup->Lock);
          if (lookup->Abandoned) {
            lock.unlock();
            if (result) freeaddrinfo(result);
            return;
          }
          lookup->Code = status;
          lookup->Found = result;
          lookup->Finished = true;
          lookup->Done.notify_all();
        } catch (...) {
          // Winsock could not start here: the caller learns it as a failed lookup.
          std::lock_guard lock(lookup->Lock);
          lookup->Code = WSANOTINITIALISED;
          lookup->Finished = true;
          lookup->Done.notify_all();
        }
      }).detach();
    } catch (const std::system_error&) {
      throw EHttpsError(L"Host name lookup for " + host + L" could not be started");
    }
    std::unique_lock lock(lookup->Lock);
    if (!lookup->Done.wait_until(lock, deadline, [&] { return lookup->Finished; })) {
      lookup->Abandoned = true;
      throw timedOut();
    }
    code = lookup->Code;
    found = lookup->Found;
  }
  TAddrInfo addresses(found);
  if (code != 0 || !addresses)
    throw EHttpsError(L"Host not found: " + host + L" (" + SocketError(code) + L")");
  return addresses;
}

}  // namespace quirel::update

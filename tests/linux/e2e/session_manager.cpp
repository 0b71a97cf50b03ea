#include "session_manager.h"

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::set<SmsConn> clients;

Bool AnyHost(char*) { return True; }
void IgnoreIoError(IceConn) {}

Status RegisterClient(SmsConn connection, SmPointer, char*) {
  char* id = SmsGenerateClientID(connection);
  clients.insert(connection);
  return SmsRegisterClientReply(connection, id);
}
// A client that asks to interact is refused: the logout goes on (the test's point is that
// Tarvex never asks).
void InteractRequest(SmsConn connection, SmPointer, int) { SmsShutdownCancelled(connection); }
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void Phase2Request(SmsConn connection, SmPointer) { SmsSaveYourselfPhase2(connection); }
void SaveYourselfDone(SmsConn connection, SmPointer, Bool) { SmsDie(connection); }
void CloseConnection(SmsConn connection, SmPointer, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  clients.erase(connection);
  IceConn ice = SmsGetIceConnection(connection);
  SmsCleanUp(connection);
  IceSetShutdownNegotiation(ice, False);
  IceCloseConnection(ice);
}
void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
  std::free(properties);
}
void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
  for (int i = 0; i < count; ++i) std::free(names[i]);
  std::free(names);
}
void GetProperties(SmsConn connection, SmPointer) { SmsReturnProperties(connection, 0, nullptr); }

Status NewClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
          SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
          SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
  callbacks->register_client.callback = RegisterClient;
  callbacks->interact_request.callback = InteractRequest;
  callbacks->interact_done.callback = InteractDone;
  callbacks->save_yourself_request.callback = SaveYourselfRequest;
  callbacks->save_yourself_phase2_request.callback = Phase2Request;
  callbacks->save_yourself_done.callback = SaveYourselfDone;
  callbacks->close_connection.callback = CloseConnection;
  callbacks->set_properties.callback = SetProperties;
  callbacks->delete_properties.callback = DeleteProperties;
  callbacks->get_properties.callback = GetProperties;
  return 1;
}

}  // namespace

void RunSessionManager(const char* readyFile) {
  char error[256] = {};
  IceSetIOErrorHandler(IgnoreIoError);
  if (!SmsInitialize("tarvex-test", "1.0", NewClient, nullptr, AnyHost, sizeof error, error)) {
    throw std::runtime_error(error);
  }
  int count = 0;
  IceListenObj* listeners = nullptr;
  if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
    throw std::runtime_error(error);
  }
  for (int i = 0; i < count; ++i) IceSetHostBasedAuthProc(listeners[i], AnyHost);
  char* address = IceComposeNetworkIdList(count, listeners);
  std::ofstream(readyFile) << address << '\n';
  std::free(address);

  const std::string logout = std::string(readyFile) + ".logout";
  bool loggingOut = false;
  std::vector<IceConn> connections;
  for (;;) {
    std::vector<pollfd> watched;
    for (int i = 0; i < count; ++i) {
      watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
    }
    for (IceConn connection : connections) {
      watched.push_back({IceConnectionNumber(connection), POLLIN, 0});
    }
    ::poll(watched.data(), watched.size(), 100);
    for (int i = 0; i < count; ++i) {
      if (watched[static_cast<std::size_t>(i)].revents == 0) continue;
      IceAcceptStatus status;
      if (IceConn accepted = IceAcceptConnection(listeners[i], &status)) {
        connections.push_back(accepted);
      }
    }
    for (std::size_t i = 0; i < connections.size(); ++i) {
      if (watched[static_cast<std::size_t>(count) + i].revents == 0) continue;
      if (IceProcessMessages(connections[i], nullptr, nullptr) != IceProcessMessagesSuccess) {
        connections[i] = nullptr;
      }
    }
    std::erase(connections, nullptr);
    if (!loggingOut && std::filesystem::exists(logout)) {
      loggingOut = true;
      // The logout: every client saves what it must, being told not to interact, then dies.
      for (SmsConn client : clients) {
        SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleNone, False);
      }
    }
  }
}

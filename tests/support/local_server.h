#pragma once
// LocalServer: an HTTP or HTTPS server on 127.0.0.1 for the update tests (update_server.py in a
// process of its own), answering from route files the test writes. An HTTPS server gets a
// certificate for 127.0.0.1 from a certificate authority made for it (openssl), which clients trust
// through CaFile().
//
//   LocalServer server(LocalServer::kHttps);
//   server.Route("check", R"({"text": "{\"latest_version\": \"1.05\"}"})");
//   config.checkUrl = server.Url("check");
//   config.checkLimits.caFile = server.CaFile();
#include <string>
#include <vector>

#include "support/temp_folder.h"

class LocalServer {
 public:
  static constexpr bool kHttps = true;
  static constexpr bool kHttp = false;

  explicit LocalServer(bool https);
  // Ends the server process.
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  // The address of route name ("check" -> "https://127.0.0.1:<port>/check").
  std::string Url(const std::string& name) const;
  // The origin "https://127.0.0.1:<port>".
  std::string Origin() const;
  // Sets how route name answers (a JSON object, see update_server.py).
  void Route(const std::string& name, const std::string& json) const;
  // A body file in the routes folder, for a route's "body".
  void BodyFile(const std::string& name, const std::string& bytes) const;
  std::string BodyPath(const std::string& name) const;
  // The requests received so far, one JSON text each.
  std::vector<std::string> Requests() const;
  // The certificate authority that signed the server's certificate (HTTPS only).
  const std::string& CaFile() const { return caFile_; }
  // A certificate authority of its own, unrelated to the server's, in folder.
  static std::string MakeOtherAuthority(const TempFolder& folder);

 private:
  TempFolder folder_;
  std::string caFile_;
  bool https_;
  int pid_ = -1;
  int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens.
int UnusedPort();

// Builds an update package at path from entries (a JSON list, see make_package.py).
void MakePackage(const std::string& path, const std::string& entriesJson);

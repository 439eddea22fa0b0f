#include "support/local_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

const std::string kScripts = std::string(DELVIX_SOURCE_DIR) + "/tests/update/";
// The system's interpreter (scripts/install-deps.sh installs it): version managers' wrappers found
// earlier on the search path would add a second to every server start.
const std::string kPython = "/usr/bin/python3";

void Run(const std::string& command) {
  ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
}

// A certificate authority (ca.pem, ca.key) in folder.
void MakeAuthority(const std::string& folder) {
  Run("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj '/CN=Delvix Test CA'"
      " -keyout '" + folder + "/ca.key' -out '" + folder + "/ca.pem'");
}

// A certificate for 127.0.0.1 signed by the authority in folder (server.pem, server.key).
void MakeServerCertificate(const std::string& folder) {
  std::ofstream(folder + "/ext.cnf") << "subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n";
  Run("openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj '/CN=127.0.0.1' -keyout '" + folder +
      "/server.key' -out '" + folder + "/server.csr'");
  Run("openssl x509 -req -days 2 -in '" + folder + "/server.csr' -CA '" + folder + "/ca.pem' -CAkey '" + folder +
      "/ca.key' -CAcreateserial -extfile '" + folder + "/ext.cnf' -out '" + folder + "/server.pem'");
}

}  // namespace

LocalServer::LocalServer(bool https) : https_(https) {
  std::filesystem::create_directory(folder_.Path("routes"));
  std::vector<std::string> args = {kPython, kScripts + "update_server.py", folder_.Path("routes")};
  if (https) {
    MakeAuthority(folder_.Root());
    MakeServerCertificate(folder_.Root());
    caFile_ = folder_.Path("ca.pem");
    args.push_back(folder_.Path("server.pem"));
    args.push_back(folder_.Path("server.key"));
  }
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(pipeEnds[1], 1);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeEnds[1]);
  FILE* out = ::fdopen(pipeEnds[0], "r");
  if (out == nullptr || std::fscanf(out, "%d", &port_) != 1) port_ = 0;
  if (out) std::fclose(out);
  EXPECT_GT(port_, 0) << "the local server did not start";
}

LocalServer::~LocalServer() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

std::string LocalServer::Origin() const {
  return std::string(https_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

std::string LocalServer::Url(const std::string& name) const { return Origin() + "/" + name; }

void LocalServer::Route(const std::string& name, const std::string& json) const {
  folder_.Write("routes/" + name + ".json", json);
}

void LocalServer::BodyFile(const std::string& name, const std::string& bytes) const {
  folder_.Write("routes/" + name, bytes);
}

std::string LocalServer::BodyPath(const std::string& name) const { return folder_.Path("routes/" + name); }

std::vector<std::string> LocalServer::Requests() const {
  std::vector<std::string> lines;
  std::ifstream in(folder_.Path("routes/requests.log"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string LocalServer::MakeOtherAuthority(const TempFolder& folder) {
  MakeAuthority(folder.Root());
  return folder.Path("ca.pem");
}

int UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(fd);
  return ntohs(address.sin_port);
}

void MakePackage(const std::string& path, const std::string& entriesJson) {
  const std::string entriesFile = path + ".entries";
  std::ofstream(entriesFile) << entriesJson;
  const std::string command = kPython + " '" + kScripts + "make_package.py' '" + path + "' '" + entriesFile + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << "the package " << path << " was not made";
}

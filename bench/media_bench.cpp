// Measures what playing a song costs: the program's MediaPlayer and RadioMonitor on the real (Qt)
// event loop, with the App's timers running, play a 128 kbit/s MP3 of 120 s from the loopback test
// server, side by side in one run with gst-launch-1.0 (playbin into a fake sink that keeps real
// time) and mpv (null audio output). After a warm-up, it reads every process from /proc: CPU in
// per cent of one core, RSS, private memory, threads and context switches per second (all
// threads). Besides the program as shipped, engines with single knobs put back to GStreamer's
// defaults show what each knob gives. The program's processes are media_bench_player, which must
// lie beside this one.
//
// Usage: media_bench [warm-up seconds (5)] [measured seconds (60)]
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/media/test_songs.h"
#include "tests/support/test_server.h"

extern char** environ;

namespace {

// The engine variants media_bench_player knows.
const char* const kVariants[] = {"tovasel", "tovasel, decoder batch 0", "tovasel, sink probe",
                                 "tovasel, untuned playbin"};

struct Reading {
  double cpu_s = 0;
  double rss_mib = 0;
  double private_mib = 0;
  int threads = 0;
  long long switches = 0;
};

long long Field(const std::string& path, const std::string& key) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line))
    if (line.compare(0, key.size(), key) == 0)
      return std::atoll(line.c_str() + key.size());
  return 0;
}

Reading Read(pid_t pid) {
  Reading r;
  const std::string proc = "/proc/" + std::to_string(pid);
  std::ifstream stat(proc + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close != std::string::npos) {
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
      if (i == 14)
        utime = std::stoull(field);
      if (i == 15) {
        stime = std::stoull(field);
        break;
      }
    }
    r.cpu_s = static_cast<double>(utime + stime) / sysconf(_SC_CLK_TCK);
  }
  r.rss_mib = Field(proc + "/status", "VmRSS:") / 1024.0;
  r.threads = static_cast<int>(Field(proc + "/status", "Threads:"));
  r.private_mib = (Field(proc + "/smaps_rollup", "Private_Clean:") +
                   Field(proc + "/smaps_rollup", "Private_Dirty:")) /
                  1024.0;
  if (DIR* tasks = opendir((proc + "/task").c_str())) {
    while (dirent* entry = readdir(tasks)) {
      if (entry->d_name[0] == '.')
        continue;
      const std::string status = proc + "/task/" + entry->d_name + "/status";
      r.switches +=
          Field(status, "voluntary_ctxt_switches:") + Field(status, "nonvoluntary_ctxt_switches:");
    }
    closedir(tasks);
  }
  return r;
}

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : 0;
}

bool Found(const char* program) {
  const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int warm_up_s = argc > 1 ? std::atoi(argv[1]) : 5;
  const int measured_s = argc > 2 ? std::atoi(argv[2]) : 60;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("GST_DEBUG", "0", 1);

  std::fprintf(stderr, "making the song...\n");
  const std::string song = media::MakeMp3Song(120, 128, "Bench Tone", "Bench");
  if (song.empty()) {
    std::fprintf(stderr, "no MP3 encoder (lamemp3enc)\n");
    return 1;
  }
  test::TestServer server;
  test::Reply reply;
  reply.body = song;
  reply.content_type = "audio/mpeg";
  server.Serve("/song.mp3", reply);
  const std::string url = server.Url("/song.mp3");

  const std::string player =
      (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "media_bench_player")
          .string();
  std::vector<std::pair<std::string, pid_t>> players;
  for (const char* variant : kVariants)
    players.emplace_back(variant, Spawn({player, url, variant}));
  players.emplace_back("tovasel App, no song", Spawn({player, "", "tovasel"}));
  if (Found("gst-launch-1.0"))
    players.emplace_back("gst-launch-1.0 playbin", Spawn({"gst-launch-1.0", "playbin", "uri=" + url,
                                                          "audio-sink=fakesink sync=true"}));
  if (Found("mpv"))
    players.emplace_back("mpv --no-video --ao=null",
                         Spawn({"mpv", "--no-video", "--ao=null", "--really-quiet", url}));

  std::fprintf(stderr, "warming up %d s, measuring %d s...\n", warm_up_s, measured_s);
  std::this_thread::sleep_for(std::chrono::seconds(warm_up_s));
  std::vector<Reading> before;
  for (const auto& [name, pid] : players)
    before.push_back(Read(pid));
  const auto start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(measured_s));
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf("%-30s %8s %9s %12s %8s %11s\n", "player", "CPU %", "RSS MiB", "private MiB",
              "threads", "switches/s");
  for (size_t i = 0; i < players.size(); ++i) {
    const auto& [name, pid] = players[i];
    const Reading after = Read(pid);
    if (pid == 0 || after.threads == 0) {
      std::printf("%-30s (did not run)\n", name.c_str());
      continue;
    }
    std::printf("%-30s %8.2f %9.1f %12.1f %8d %11.1f\n", name.c_str(),
                100 * (after.cpu_s - before[i].cpu_s) / elapsed, after.rss_mib, after.private_mib,
                after.threads, (after.switches - before[i].switches) / elapsed);
  }
  for (const auto& [name, pid] : players) {
    if (pid == 0)
      continue;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
  return 0;
}

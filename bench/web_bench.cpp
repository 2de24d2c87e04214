// Prints the median time of one WebRequest cycle (Open "GET", Send, GetResponseText) against the
// loopback test server, beside a bare reused curl easy handle doing the same GET, in one run. The
// layer should add next to nothing: the ratio is the figure to watch (goal: 1.2 or less).
//
// Usage: web_bench [rounds]   (default 2000 per side; the two sides take turns, one cycle each)
#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/test_server.h"
#include "web/web_request.h"

namespace {

using Clock = std::chrono::steady_clock;

size_t Collect(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

double MedianUs(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  test::TestServer server;
  test::Reply reply;
  // About the size of a playlist answer: a JSON text of a few kilobytes with Chinese in it.
  std::string song = "{\"title\":\"夜空中最亮的星\",\"artist\":\"逃跑计划\",\"sid\":\"123456\"},";
  for (int i = 0; i < 20; ++i) {
    reply.body += song;
  }
  reply.content_type = "application/json; charset=utf-8";
  server.Serve("/j/v2/playlist", reply);
  const std::string url = server.Url("/j/v2/playlist?channel=1");

  WebRequest http;
  CURL* bare = curl_easy_init();
  std::string bare_body;
  curl_easy_setopt(bare, CURLOPT_URL, url.c_str());
  curl_easy_setopt(bare, CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(bare, CURLOPT_WRITEDATA, &bare_body);

  std::vector<double> layer_us, bare_us;
  auto run_layer = [&] {
    auto start = Clock::now();
    http.Open("GET", url);
    http.Send();
    std::string text = http.GetResponseText();
    layer_us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    return text.size();
  };
  auto run_bare = [&] {
    auto start = Clock::now();
    bare_body.clear();
    curl_easy_perform(bare);
    bare_us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    return bare_body.size();
  };
  // Warm both connections up, then take turns so that both sides see the same machine load.
  std::size_t layer_size = run_layer(), bare_size = run_bare();
  layer_us.clear();
  bare_us.clear();
  for (int i = 0; i < rounds; ++i) {
    run_layer();
    run_bare();
  }
  curl_easy_cleanup(bare);

  double layer = MedianUs(layer_us), plain = MedianUs(bare_us);
  std::printf("answer: %zu bytes UTF-8 (%zu bytes as GBK text), %d rounds per side\n", bare_size,
              layer_size, rounds);
  std::printf("WebRequest Open/Send/GetResponseText  median %8.1f us\n", layer);
  std::printf("bare reused curl easy handle GET       median %8.1f us\n", plain);
  std::printf("ratio                                          %8.2f  (goal <= 1.20)\n",
              plain > 0 ? layer / plain : 0.0);
  std::printf("connections the server accepted: %d\n", server.ConnectionCount());
  return 0;
}

#include "demo/demo_station.h"

#include <httplib.h>
#include <openssl/bio.h>
#include <openssl/pem.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "demo/cover_art.h"
#include "demo/demo_answers.h"
#include "demo/raw_http_server.h"
#include "demo/tune_synth.h"
#include "platform/http/self_signed_certificate.h"
#include "platform/image/picture_encoder.h"
#include "platform/image/qr_code.h"

namespace demo {
namespace {

constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kHtml = "text/html; charset=utf-8";
// Enough workers for the program's request object, its downloads and a player holding a stream.
constexpr std::size_t kWorkersPerServer = 6;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The value after `key` in a raw target, up to the next "&" or the end.
std::string QueryValue(std::string_view target, std::string_view key) {
  std::size_t at = target.find(key);
  if (at == std::string_view::npos)
    return {};
  std::string_view rest = target.substr(at + key.size());
  return std::string(rest.substr(0, rest.find('&')));
}

// The digits between a prefix and a suffix, as a number; -1 when the text has another form.
int NumberBetween(std::string_view text, std::string_view prefix, std::string_view suffix) {
  if (!StartsWith(text, prefix) || text.size() < prefix.size() + suffix.size() ||
      text.substr(text.size() - suffix.size()) != suffix) {
    return -1;
  }
  std::string_view digits = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
  if (digits.empty() || digits.size() > 9)
    return -1;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9')
      return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

// An HTTPS server with the certificate and key given as PEM texts; null when they do not parse.
std::unique_ptr<httplib::SSLServer> MakeTlsServer(const http::SelfSignedCertificate& certificate) {
  BIO* cert_bio = BIO_new_mem_buf(certificate.certificate_pem.data(),
                                  static_cast<int>(certificate.certificate_pem.size()));
  BIO* key_bio = BIO_new_mem_buf(certificate.private_key_pem.data(),
                                 static_cast<int>(certificate.private_key_pem.size()));
  X509* cert = cert_bio ? PEM_read_bio_X509(cert_bio, nullptr, nullptr, nullptr) : nullptr;
  EVP_PKEY* key = key_bio ? PEM_read_bio_PrivateKey(key_bio, nullptr, nullptr, nullptr) : nullptr;
  std::unique_ptr<httplib::SSLServer> server;
  // The server's context takes its own references to both.
  if (cert != nullptr && key != nullptr)
    server = std::make_unique<httplib::SSLServer>(cert, key);
  X509_free(cert);
  EVP_PKEY_free(key);
  BIO_free(cert_bio);
  BIO_free(key_bio);
  if (server != nullptr && !server->is_valid())
    server.reset();
  return server;
}

}  // namespace

struct DemoStation::Impl {
  struct Server {
    const char* name;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int port = 0;
  };

  DemoStationOptions options;
  DemoCatalogue catalogue;
  http::SelfSignedCertificate certificate;
  Server servers[3] = {{"radio", {}, {}, 0}, {"music", {}, {}, 0}, {"qr-image", {}, {}, 0}};
  RawHttpServer qr_server;  // see raw_http_server.h for why not cpp-httplib
  StationBases bases;
  bool started = false;

  mutable std::mutex mutex;  // guards everything below; never held while an answer is made
  std::vector<StationRequest> log;
  std::map<std::string, std::size_t> next_song;                     // by channel id
  std::map<std::string, std::shared_ptr<const std::string>> files;  // generated audio and pictures
  PlaylistOverride playlist_override;
  AnswerOverride answer_override;

  explicit Impl(DemoStationOptions o)
      : options(o),
        catalogue(MakeDemoCatalogue(static_cast<int>(o.min_song_length_s * 1000 + 0.5),
                                    static_cast<int>(o.max_song_length_s * 1000 + 0.5))) {}

  // A generated file, made on first use and kept: songs and pictures cost tens of milliseconds.
  template <typename Make>
  std::shared_ptr<const std::string> File(const std::string& key, Make make) {
    {
      std::lock_guard lock(mutex);
      auto it = files.find(key);
      if (it != files.end())
        return it->second;
    }
    auto file = std::make_shared<const std::string>(make());
    std::lock_guard lock(mutex);
    return files.emplace(key, file).first->second;
  }

  std::string PlaylistFor(const std::string& channel_id) {
    PlaylistOverride hook;
    {
      std::lock_guard lock(mutex);
      hook = playlist_override;
    }
    if (hook) {
      if (std::optional<std::string> body = hook(channel_id))
        return *body;
    }
    const DemoChannel* channel = catalogue.FindChannel(channel_id);
    if (channel == nullptr || channel->songs.empty())
      return EmptyPlaylistAnswer();
    std::size_t turn;
    {
      std::lock_guard lock(mutex);
      turn = next_song[channel_id]++;
    }
    return PlaylistAnswer(catalogue.songs[channel->songs[turn % channel->songs.size()]], bases);
  }

  std::optional<StationAnswer> Radio(const std::string& target) {
    if (StartsWith(target, "/j/v2/playlist?")) {
      return StationAnswer{200, kJson, PlaylistFor(QueryValue(target, "channel="))};
    }
    if (StartsWith(target, "/j/v2/channel_info?")) {
      const DemoChannel* channel = catalogue.FindChannel(QueryValue(target, "id="));
      return StationAnswer{
          200, kJson, channel ? ChannelInfoAnswer(*channel, bases) : UnknownChannelInfoAnswer()};
    }
    if (StartsWith(target, "/j/v2/lyric?")) {
      std::string sid = QueryValue(target, "sid=");
      std::string ssid = QueryValue(target, "ssid=");
      const DemoSong* song = catalogue.FindSong(sid);
      if (song != nullptr && song->ssid != ssid)
        song = nullptr;
      return StationAnswer{200, kJson, LyricAnswer(song, sid, ssid)};
    }
    if (StartsWith(target, "/j/v2/song/")) {
      std::string_view ids = std::string_view(target).substr(11);
      if (!ids.empty() && ids.back() == '/')
        ids.remove_suffix(1);
      std::string_view sid = ids.substr(0, ids.find('g'));
      const DemoSong* song = catalogue.FindSong(sid);
      const DemoChannel* channel = song ? catalogue.FindChannel(song->channel_id) : nullptr;
      return StationAnswer{
          200, kJson,
          song && channel ? SongPageAnswer(*song, channel->name, bases) : UnknownSongPageAnswer()};
    }
    if (StartsWith(target, "/channel/")) {
      std::string_view rest = std::string_view(target).substr(9);
      const DemoChannel* channel = catalogue.FindChannel(rest.substr(0, rest.find('?')));
      const DemoSong* start = catalogue.FindSong(QueryValue(target, "?start="));
      return StationAnswer{channel ? 200 : 404, kHtml, ChannelPage(channel, start)};
    }
    for (const char* ext : {".jpg", ".png"}) {
      int album = NumberBetween(target, "/view/subject/l/public/s", ext);
      const DemoSong* song = album >= 0 ? catalogue.FindSongByAlbum(album) : nullptr;
      if (song != nullptr)
        return Picture(target, song->seed, ext);
    }
    if (StartsWith(target, "/view/channel/")) {
      std::string id = HexDecode(std::string_view(target).substr(14, target.size() - 14 - 4));
      if (catalogue.FindChannel(id) != nullptr) {
        return Picture(target, static_cast<std::uint32_t>(std::hash<std::string>()(id)), ".jpg");
      }
    }
    if (StartsWith(target, "/audio/")) {
      std::string_view name = std::string_view(target).substr(7);
      if (name.size() > 4 && name.substr(name.size() - 4) == ".wav") {
        if (const DemoSong* song = catalogue.FindSong(name.substr(0, name.size() - 4))) {
          auto wav = File(target, [&] { return SynthesizeTune(song->seed, song->length_ms); });
          return StationAnswer{200, "audio/wav", *wav};
        }
      }
    }
    return std::nullopt;
  }

  StationAnswer Picture(const std::string& key, std::uint32_t seed, std::string_view ext) {
    const bool png = ext == ".png";
    auto file = File(key, [&] {
      ui::Picture cover = DrawCover(seed, options.cover_size_px);
      return png ? image::EncodePng(cover) : image::EncodeJpeg(cover, 88);
    });
    return StationAnswer{200, png ? "image/png" : "image/jpeg", *file};
  }

  std::optional<StationAnswer> Music(const std::string& target) {
    int album = NumberBetween(target, "/subject/", "/");
    if (album < 0)
      album = NumberBetween(target, "/musician/", "/");
    const DemoSong* song = album >= 0 ? catalogue.FindSongByAlbum(album) : nullptr;
    if (song == nullptr || song->album_path != target)
      return std::nullopt;
    return StationAnswer{200, kHtml, AlbumPage(*song, catalogue.SimilarChannelId(*song), bases)};
  }

  std::optional<StationAnswer> Qr(const std::string& target) {
    static constexpr std::string_view kPage = "/api/qrcode/code?text=";
    if (!StartsWith(target, kPage))
      return std::nullopt;
    // The link is everything after "text=": the program sends it unescaped, with its own "?".
    const std::string link = target.substr(kPage.size());
    return StationAnswer{200, kHtml,
                         QrPage(link, bases.qr_image_host + "/qr/" + HexEncode(link) + ".png")};
  }

  std::optional<StationAnswer> QrImage(const std::string& target) {
    std::string_view name = std::string_view(target);
    if (!StartsWith(name, "/qr/") || name.size() < 8 || name.substr(name.size() - 4) != ".png") {
      return std::nullopt;
    }
    const std::string link = HexDecode(name.substr(4, name.size() - 8));
    if (link.empty())
      return std::nullopt;
    auto file =
        File(target, [&] { return image::EncodePng(image::DrawQrCode(link, options.qr_size_px)); });
    if (file->empty())
      return std::nullopt;
    return StationAnswer{200, "image/png", *file};
  }

  StationAnswer Handle(std::string_view server, const std::string& target) {
    StationRequest entry{std::string(server), target};
    AnswerOverride hook;
    {
      std::lock_guard lock(mutex);
      log.push_back(entry);
      hook = answer_override;
    }
    std::optional<StationAnswer> answer;
    if (hook)
      answer = hook(entry);
    if (!answer) {
      if (server == "radio")
        answer = Radio(entry.target);
      if (server == "music")
        answer = Music(entry.target);
      if (server == "qr")
        answer = Qr(entry.target);
      if (server == "qr-image")
        answer = QrImage(entry.target);
    }
    if (!answer)
      answer = StationAnswer{404, "text/plain; charset=utf-8", "not found\n"};
    return *answer;
  }

  void StopAll() {
    for (Server& s : servers) {
      if (s.server)
        s.server->stop();
      if (s.thread.joinable())
        s.thread.join();
    }
    qr_server.Stop();
  }
};

DemoStation::DemoStation(DemoStationOptions options) : impl_(std::make_unique<Impl>(options)) {}

DemoStation::~DemoStation() {
  Stop();
}

bool DemoStation::Start() {
  Impl& d = *impl_;
  if (d.started)
    return false;
  d.started = true;
  d.certificate = http::MakeSelfSignedCertificate();
  if (d.certificate.certificate_pem.empty())
    return false;
  for (Impl::Server& s : d.servers) {
    if (std::string_view(s.name) == "qr-image") {
      s.server = MakeTlsServer(d.certificate);
      if (s.server == nullptr)
        break;
    } else {
      s.server = std::make_unique<httplib::Server>();
    }
    // Without it a small answer waits for the peer's delayed acknowledgement, about 40 ms.
    s.server->set_tcp_nodelay(true);
    // A connection the client keeps open for reuse holds a worker until this runs out, and
    // stopping the station waits for every worker.
    s.server->set_keep_alive_timeout(1);
    s.server->new_task_queue = [] { return new httplib::ThreadPool(kWorkersPerServer); };
    const char* name = s.name;
    s.server->Get(".*", [&d, name](const httplib::Request& request, httplib::Response& response) {
      StationAnswer answer = d.Handle(name, request.target);
      // Left unset for 200, httplib answers a range request with 206 and the part asked for.
      if (answer.status != 200)
        response.status = answer.status;
      // set_content sends a Content-Length, which the player needs to know a song's duration.
      response.set_content(answer.body, answer.content_type.c_str());
    });
    s.port = s.server->bind_to_any_port("127.0.0.1");
    if (s.port <= 0)
      break;
    httplib::Server* server = s.server.get();
    s.thread = std::thread([server] { server->listen_after_bind(); });
  }
  bool ok = d.qr_server.Start([&d](const std::string& target) {
    StationAnswer answer = d.Handle("qr", target);
    return HttpReply{answer.status, answer.content_type, answer.body};
  });
  for (Impl::Server& s : d.servers) {
    if (!s.thread.joinable()) {
      ok = false;
      continue;
    }
    // httplib has no ready signal: listen_after_bind sets is_running once it accepts.
    while (!s.server->is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (!ok) {
    d.StopAll();
    return false;
  }
  auto base = [](int port) { return "http://127.0.0.1:" + std::to_string(port); };
  d.bases = {base(d.servers[0].port), base(d.servers[1].port), base(d.qr_server.port()),
             "//127.0.0.1:" + std::to_string(d.servers[2].port)};
  return true;
}

void DemoStation::Stop() {
  impl_->StopAll();
}

bool DemoStation::running() const {
  for (const Impl::Server& s : impl_->servers) {
    if (!s.server || !s.server->is_running())
      return false;
  }
  return impl_->qr_server.running();
}

std::string DemoStation::radio_base() const {
  return impl_->bases.radio;
}
std::string DemoStation::music_base() const {
  return impl_->bases.music;
}
std::string DemoStation::qr_base() const {
  return impl_->bases.qr;
}
std::string DemoStation::qr_image_base() const {
  return impl_->bases.qr_image_host.empty() ? std::string() : "https:" + impl_->bases.qr_image_host;
}
const std::string& DemoStation::certificate_pem() const {
  return impl_->certificate.certificate_pem;
}
const DemoCatalogue& DemoStation::catalogue() const {
  return impl_->catalogue;
}

const DemoSong* DemoStation::PeekNextSong(std::string_view channel_id) const {
  const DemoChannel* channel = impl_->catalogue.FindChannel(channel_id);
  if (channel == nullptr || channel->songs.empty())
    return nullptr;
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->next_song.find(std::string(channel_id));
  std::size_t turn = it == impl_->next_song.end() ? 0 : it->second;
  return &impl_->catalogue.songs[channel->songs[turn % channel->songs.size()]];
}

std::vector<StationRequest> DemoStation::requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->log;
}

int DemoStation::CountRequests(std::string_view target_prefix) const {
  std::lock_guard lock(impl_->mutex);
  int count = 0;
  for (const StationRequest& r : impl_->log)
    count += StartsWith(r.target, target_prefix);
  return count;
}

void DemoStation::ClearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->log.clear();
}

void DemoStation::SetPlaylistOverride(PlaylistOverride override_hook) {
  std::lock_guard lock(impl_->mutex);
  impl_->playlist_override = std::move(override_hook);
}

void DemoStation::SetAnswerOverride(AnswerOverride override_hook) {
  std::lock_guard lock(impl_->mutex);
  impl_->answer_override = std::move(override_hook);
}

}  // namespace demo

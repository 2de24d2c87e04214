#include "tests/support/app_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace testing_support {

std::filesystem::path MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tovasel-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  return made ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
}

ServiceEndpoints AppTest::UnreachableEndpoints() {
  return {"http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9"};
}

AppTest::AppTest() : AppTest(UnreachableEndpoints()) {}

AppTest::AppTest(ServiceEndpoints endpoints) : settings_dir(MakeTempDir()) {
  app = std::make_unique<App>(loop, desktop, std::move(endpoints), settings_dir, [this] {
    auto engine = std::make_unique<ScriptedPlayer>();
    player = engine.get();
    return engine;
  });
}

AppTest::~AppTest() {
  app.reset();
  std::error_code ec;
  std::filesystem::remove_all(settings_dir, ec);
}

}  // namespace testing_support

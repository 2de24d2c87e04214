# The two commands of README.md. Each installs what is missing, configures and builds.
BUILD_RUN  ?= build/release
BUILD_TEST ?= build/test
JOBS       ?= 2
# The tests reach no host outside this machine: the program built for them points its service
# hosts at a loopback port where nothing listens.
OFFLINE_HOSTS = -DTOVASEL_RADIO_SERVICE_BASE=http://127.0.0.1:9 \
                -DTOVASEL_MUSIC_SITE_BASE=http://127.0.0.1:9 -DTOVASEL_QR_SERVICE_BASE=http://127.0.0.1:9

.PHONY: run test setup

setup:
	@bash scripts/setup.sh

run: setup
	cmake -S . -B $(BUILD_RUN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVASEL_TESTS=OFF
	cmake --build $(BUILD_RUN) -j $(JOBS) --target tovasel tovasel-demo
	bash scripts/run.sh $(BUILD_RUN)

test: setup
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVASEL_SANITIZE=ON $(OFFLINE_HOSTS)
	cmake --build $(BUILD_TEST) -j $(JOBS)
	ctest --test-dir $(BUILD_TEST) --output-on-failure -j $(JOBS) --timeout 300

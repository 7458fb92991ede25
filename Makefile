# Veltamar: `make run` starts the aquarium, `make test` runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test build deps test-sanitize fuzz soak bench install deb clean

run: build
	./$(BUILD)/veltamar

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTAMAR_SANITIZE=ON -DVELTAMAR_UNIT_TESTS_ONLY=ON
	cmake --build $(SANITIZE_BUILD)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS) -L unit

# Frame-cost benchmark beside the peer program (bench/run_bench.sh).
bench: build
	bench/run_bench.sh $(BUILD)

# The fuzzers, five minutes each (FUZZ_SECONDS to change).
FUZZ_SECONDS ?= 300
fuzz: deps
	tests/fuzz/smoke.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

# The long soak: every tool and dialog in turn for 30 minutes (SOAK_SECONDS to change); the test
# run has a one-minute one.
SOAK_SECONDS ?= 1800
soak: build
	VELTAMAR_SOAK_SECONDS=$(SOAK_SECONDS) ./$(BUILD)/tests/e2e/e2e_tests --gtest_filter='Soak.*'

# Installs the program, its desktop entries, icons, screensaver registration and manual page
# under PREFIX (default /usr/local), below DESTDIR when given (make install PREFIX=/usr DESTDIR=/tmp/x).
PREFIX ?= /usr/local
install: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) --target veltamar veltamar_icons
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

# The Debian package, built as a packager builds it (Release, no tests, warnings not errors), with
# its dependencies computed from the program: $(DEB_BUILD)/veltamar_<version>_<architecture>.deb
DEB_BUILD ?= build-deb
deb: deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DVELTAMAR_TESTS=OFF \
	      -DVELTAMAR_WERROR=OFF
	cmake --build $(DEB_BUILD)
	cd $(DEB_BUILD) && cpack -G DEB
	@ls $(DEB_BUILD)/*.deb

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD)

deps:
	@scripts/install-deps

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(DEB_BUILD)

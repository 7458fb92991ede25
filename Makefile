# Veltamar: `make run` starts the aquarium, `make test` runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test build build-tests deps package-deps test-deps test-sanitize fuzz soak bench bench-bundle install deb clean

run: build
	./$(BUILD)/veltamar

# The tests build with warnings as errors: our own CI decides that, never a packager's build.
test: build-tests
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Just the aquarium: no test framework or test programs needed.
build: deps
	cmake -S . -B $(BUILD) -G Ninja -DBUILD_TESTING=OFF
	cmake --build $(BUILD)

build-tests: test-deps
	cmake -S . -B $(BUILD) -G Ninja -DBUILD_TESTING=ON -DVELTAMAR_WERROR=ON
	cmake --build $(BUILD)

# Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: test-deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTAMAR_SANITIZE=ON \
		-DVELTAMAR_UNIT_TESTS_ONLY=ON -DVELTAMAR_WERROR=ON
	cmake --build $(SANITIZE_BUILD)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS) -L unit

# Frame-cost benchmark beside the peer program (bench/run_bench.sh).
bench: build-tests
	bench/run_bench.sh $(BUILD)

# The benchmark in one folder, $(BUILD)/bench-bundle, to copy to a machine with a GPU that cannot
# install packages and run there without an X server: bench-bundle/run (bench/make_bundle.sh).
bench-bundle: build-tests
	bench/make_bundle.sh $(BUILD) $(BUILD)/bench-bundle

# The fuzzers, five minutes each (FUZZ_SECONDS to change).
FUZZ_SECONDS ?= 300
fuzz: test-deps
	tests/fuzz/smoke.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

# The long soak: every tool and dialog in turn for 30 minutes (SOAK_SECONDS to change); the test
# run has a short one.
SOAK_SECONDS ?= 1800
soak: build-tests
	VELTAMAR_SOAK_SECONDS=$(SOAK_SECONDS) ./$(BUILD)/tests/e2e/e2e_tests --gtest_filter='Soak.*'

# Installs the program, its desktop entries, icons, screensaver registration and manual page
# under PREFIX (default /usr/local), below DESTDIR when given (make install PREFIX=/usr DESTDIR=/tmp/x).
PREFIX ?= /usr/local
install: deps
	cmake -S . -B $(BUILD) -G Ninja -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) --target veltamar veltamar-decoder veltamar_icons veltamar_documents
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

# The Debian package, built as a packager builds it (Release, no tests, warnings not errors) with
# the distribution's compiler and linker flags and all their hardening (dpkg-buildflags), its
# dependencies computed from the program: $(DEB_BUILD)/veltamar_<version>_<architecture>.deb
# The build folder is mapped to a fixed name in the debugging data, as dpkg-buildflags maps the
# source folder, so the package's bytes do not depend on where it was built.
DEB_BUILD ?= build-deb
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
DEB_PREFIX_MAP = -ffile-prefix-map=$(abspath $(DEB_BUILD))=build
deb: package-deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
	      -DVELTAMAR_WERROR=OFF \
	      -DCMAKE_C_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CFLAGS) $(DEB_PREFIX_MAP)" \
	      -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS) $(DEB_PREFIX_MAP)" \
	      -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build $(DEB_BUILD)
	cd $(DEB_BUILD) && cpack -G DEB
	@ls $(DEB_BUILD)/*.deb

deps:
	@scripts/install-deps

package-deps:
	@scripts/install-deps --package

test-deps:
	@scripts/install-deps --tests

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(DEB_BUILD)

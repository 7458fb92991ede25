# Veltamar: `make run` starts the aquarium, `make test` runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test build build-tests deps test-deps test-sanitize fuzz soak bench clean

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

# The fuzzers, five minutes each (FUZZ_SECONDS to change).
FUZZ_SECONDS ?= 300
fuzz: test-deps
	tests/fuzz/smoke.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

# The long soak: every tool and dialog in turn for 30 minutes (SOAK_SECONDS to change); the test
# run has a short one.
SOAK_SECONDS ?= 1800
soak: build-tests
	VELTAMAR_SOAK_SECONDS=$(SOAK_SECONDS) ./$(BUILD)/tests/e2e/e2e_tests --gtest_filter='Soak.*'

deps:
	@scripts/install-deps

test-deps:
	@scripts/install-deps --tests

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)

# Veltamar: `make run` starts the aquarium, `make test` runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test build deps test-sanitize fuzz soak bench clean

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

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD)

deps:
	@scripts/install-deps

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)

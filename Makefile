# make                configure and build into build/, the program folder is build/zotra/
# make test           install what is missing, build, run every test
# make run            install what is missing, build, start the suite (or say how)
# make test-sanitize  every test again, built with AddressSanitizer and
#                     UndefinedBehaviorSanitizer (clang, -O1) in build-sanitize/
# make fuzz           builds the fuzz targets (build-fuzz/) and runs each for
#                     FUZZ_SECONDS seconds (FUZZ_TARGETS: only these; FUZZ_JOBS
#                     targets at a time)
# make fuzz-corpus    runs every fuzz target over its committed seed corpus once
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1
FUZZ_TARGETS ?=

.PHONY: all build configure setup test run bench clean test-sanitize fuzz fuzz-build fuzz-corpus

all: build

setup:
	@scripts/setup-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: setup
	$(MAKE) build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The demo station in $(BUILD)/demo/: the menu, or without a display the
# whole road (zotra-batch all) and the documents it produced.
run: setup
	$(MAKE) build
	@scripts/run-suite $(BUILD)

# Every benchmark, one table of figures against the targets (bench/targets.txt).
bench: setup
	$(MAKE) build
	@scripts/bench-table $(BUILD)

# The sanitizers write their reports into $(SANITIZE_BUILD)/sanitizer/, also
# those of the programs the tests start; any report fails the run.
SANITIZER_REPORTS = $(abspath $(SANITIZE_BUILD))/sanitizer
test-sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -gline-tables-only" \
	  -DZOTRA_SANITIZE=ON -DZOTRA_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	rm -rf $(SANITIZER_REPORTS) && mkdir -p $(SANITIZER_REPORTS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=log_path=$(SANITIZER_REPORTS)/asan:detect_leaks=1:check_initialization_order=1:strict_string_checks=1 \
	  LSAN_OPTIONS=suppressions=$(abspath tests/robust/lsan.supp):print_suppressions=0 \
	  UBSAN_OPTIONS=log_path=$(SANITIZER_REPORTS)/ubsan:print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)
	@if [ -n "$$(ls -A $(SANITIZER_REPORTS))" ]; then \
	  cat $(SANITIZER_REPORTS)/*; echo "test-sanitize: sanitizer reports in $(SANITIZER_REPORTS)"; exit 1; fi
	@echo "test-sanitize: every test passed, no sanitizer report"

fuzz-build: setup
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=Fuzz -DZOTRA_FUZZ=ON -DZOTRA_TESTS=OFF -DZOTRA_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target zotra_fuzz

fuzz: fuzz-build
	fuzz/run-fuzzers --build $(FUZZ_BUILD) --seconds $(FUZZ_SECONDS) --jobs $(FUZZ_JOBS) $(FUZZ_TARGETS)

fuzz-corpus: fuzz-build
	fuzz/run-fuzzers --build $(FUZZ_BUILD) --corpus-only $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)

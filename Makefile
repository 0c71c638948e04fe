# make        configure and build into build/, the program folder is build/zotra/
# make test   install what is missing, build, run every test
# make run    install what is missing, build, start the suite (or say how)
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all build configure setup test run bench clean

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

clean:
	rm -rf $(BUILD)

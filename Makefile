# Two commands do everything on a fresh Debian machine:
#   make demo   install what is missing, build, and play the bundled sample game
#   make test   install what is missing, build, and run every test
BUILD_DIR ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps configure build demo test clean

all: build

deps:
	tools/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

demo: build
	tools/demo $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD_DIR)

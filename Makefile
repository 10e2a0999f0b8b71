# Two commands do everything on a fresh Debian machine:
#   make demo   install what is missing, build, compile the bundled sample game and play it in a window
#   make test   install what is missing, build (also the clang fuzz build, the Windows
#               command-line kit and the browser player), and run every test
BUILD_DIR ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo
FUZZ_DIR ?= $(BUILD_DIR)/fuzz
WINDOWS_DIR ?= $(BUILD_DIR)/windows
WEB_DIR ?= $(BUILD_DIR)/web
WEB_LIBS_DIR ?= $(BUILD_DIR)/web-libs
# Debian's emscripten finds its node modules there also under another node.
export NODE_PATH ?= /usr/share/nodejs

.PHONY: all deps configure build fuzz windows web demo test clean

all: build

deps:
	tools/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DPRYX_FUZZ_BINARY_DIR=$(abspath $(FUZZ_DIR))

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# The libFuzzer targets need clang; CTest in the main build runs each for a short time.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DPRYX_BUILD_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j$(JOBS)

# The command-line kit cross-built for Windows with MinGW-w64; CTest in the main build
# runs its tests under Wine.
windows: deps
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake
	cmake --build $(WINDOWS_DIR) -j$(JOBS)

# The browser player: FreeType and libjpeg-turbo for WebAssembly first (quick once
# built), then the engine with Emscripten into the main build's bin/web.
web: deps
	tools/build-web-libs $(WEB_LIBS_DIR)
	emcmake cmake -S . -B $(WEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_FIND_ROOT_PATH=$(abspath $(WEB_LIBS_DIR))/prefix -DCMAKE_PREFIX_PATH=$(abspath $(WEB_LIBS_DIR))/prefix \
	  -DPRYX_WEB_PLAYER_DIR=$(abspath $(BUILD_DIR))/bin/web
	cmake --build $(WEB_DIR) -j$(JOBS)

demo: build
	tools/demo $(BUILD_DIR)

test: build fuzz windows web
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD_DIR)

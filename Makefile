# The README's commands. Each target first installs whatever Debian packages are missing.
BUILD ?= build
MAKEFLAGS += --no-print-directory
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test run bench reproducible clean format

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

test: build
	@BUILD=$(BUILD) scripts/run-tests.sh

run: build
	@BUILD=$(BUILD) scripts/run-dialog.sh

bench: build
	@BUILD=$(BUILD) scripts/bench.sh

reproducible: build
	@BUILD=$(BUILD) CMAKE_FLAGS="$(CMAKE_FLAGS)" scripts/reproducible.sh

format: deps
	@git ls-files -co --exclude-standard -- '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD)

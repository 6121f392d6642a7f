# The two entry points a newcomer needs:
#   make run   builds everything and starts the game
#   make test  builds everything and runs every test
# and for CI: make test-sanitized builds a second folder with clang and the
# sanitizers (and the fuzz targets) and runs every test there.
BUILD_DIR ?= build
SANITIZED_BUILD_DIR ?= build-sanitized
JOBS ?= $(shell nproc)
# Paths below the checkout count as relative for the compiler cache, so a
# fresh clone elsewhere on the same machine reuses what was compiled before.
# The builds carry debug information, for which the cache would otherwise
# also key every object on the build folder's absolute path.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true

.PHONY: deps configure build run test test-sanitized bench package clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./scripts/run-game.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian package ringdisk_<version>_amd64.deb, in the build folder.
package: build
	cd $(BUILD_DIR) && cpack

test-sanitized: deps
	./scripts/test-sanitized.sh $(SANITIZED_BUILD_DIR) $(JOBS)

bench: build
	./scripts/run-benchmarks.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZED_BUILD_DIR)

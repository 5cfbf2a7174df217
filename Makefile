# Thin wrapper over CMake: `make run` checks the sample site, `make test` runs every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
FUZZ_CXX   ?= clang++-14
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja
PREFIX     ?= /usr/local
# Extra CMake settings of the main build, e.g. -DORVEL_WERROR=ON as CI builds.
CMAKE_FLAGS ?=

.PHONY: deps configure build test asan tsan tidy format-check fuzz run bench bench-external bench-deps screenshots format clean install package

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON -DORVEL_GUI=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The core tests under ThreadSanitizer: the scan, the classification and the reports run on the
# thread pool. A permission test forks and checks as another user in the child, which makes a
# pool of its own there.
tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEL_TSAN=ON -DORVEL_GUI=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 die_after_fork=0" \
	  setarch $$(uname -m) -R ctest --test-dir $(TSAN_BUILD) --output-on-failure -j $(JOBS)

# clang-tidy on the sources changed since BASE (a commit), or on every source without it.
tidy: build
	bash tools/tidy.sh $(BUILD) $(BASE)

format-check: deps
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory asan

# Each libFuzzer target for FUZZ_SECONDS seconds, in a build of its own (clang, ASan, UBSan).
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DORVEL_FUZZ=ON -DORVEL_GUI=OFF -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) bash fuzz/run.sh

run: build
	$(BUILD)/uoorvel $(BUILD)/examples/sample.opr

screenshots: build
	mkdir -p screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/ui/screenshots screenshots $(BUILD)/examples/sample.opr

# make install [PREFIX=/usr/local] [DESTDIR=/tmp/stage]
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian packages orvel-check and uoorvel of the same files under /usr, in $(BUILD)/.
package: build
	cmake --build $(BUILD) --target package

bench: build
	bash bench/run.sh

# The last section of make bench alone: the check of 5,000 external links on 50 local hosts.
bench-external: build
	BUILD=$(BUILD) bash bench/external.sh

# The Debian manuals that make bench checks beside its generated site.
bench-deps:
	bash tools/install-deps.sh --bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

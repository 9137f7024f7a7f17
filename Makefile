# The two commands of the README: `make run` starts the editor, `make test` runs every test.
# Both install whatever Debian packages are missing first.

BUILD      ?= build
ASAN_BUILD ?= build-sanitize
UBSAN_BUILD ?= build-clang-ubsan
FUZZ_BUILD ?= build-fuzz
# make fuzz: seconds for each fuzz program, and libFuzzer's seed, so runs repeat.
FUZZ_SECONDS ?= 25
FUZZ_SEED ?= 1
CLANG      = -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: run test test-sanitize test-clang-ubsan format-check format fuzz bench deps configure build clean window-description package

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/app/verbolt-editor ]; then \
	  exec $(BUILD)/app/verbolt-editor; \
	else \
	  echo "make run: the verbolt-editor program is not built yet (the editor window is still being written)"; \
	  exit 1; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/verbolt-editor_<version>_<arch>.deb, made by CPack.
package: build
	cmake --build $(BUILD) --target package

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVERBOLT_SANITIZE=ON -DVERBOLT_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The same tests built by clang with UndefinedBehaviorSanitizer alone, every finding fatal.
test-clang-ubsan: deps
	cmake -S . -B $(UBSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug $(CLANG) -DVERBOLT_UBSAN=ON -DVERBOLT_BENCH=OFF
	cmake --build $(UBSAN_BUILD) -j $(JOBS)
	ctest --test-dir $(UBSAN_BUILD) --output-on-failure -j $(JOBS)

# Every tracked C++ file in the house style (.clang-format); `make format` rewrites them.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Every fuzz program in fuzz/ (clang's libFuzzer with ASan and UBSan), each for FUZZ_SECONDS
# with seed FUZZ_SEED: make fuzz FUZZ_SECONDS=300 for a longer hunt.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CLANG) -DVERBOLT_FUZZ=ON -DVERBOLT_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-all
	scripts/run-fuzz $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS) $(FUZZ_SEED)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done
	bench/start_vs_bare_qt.sh $(BUILD)

# Rewrites app/editor_form.vdf, the window's built-in description, from the phrase catalogue
# and the layout rules (needed only when those change).
window-description: configure
	cmake --build $(BUILD) -j $(JOBS) --target make-window-description
	$(BUILD)/app/make-window-description app/pictures app/editor_form.vdf

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(UBSAN_BUILD) $(FUZZ_BUILD)

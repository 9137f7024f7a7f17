# The two commands of the README: `make run` starts the editor, `make test` runs every test.
# Both install whatever Debian packages are missing first.

BUILD      ?= build
ASAN_BUILD ?= build-sanitize
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: run test test-sanitize bench deps configure build clean window-description

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

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVERBOLT_SANITIZE=ON -DVERBOLT_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done
	bench/start_vs_bare_qt.sh $(BUILD)

# Rewrites app/editor_form.vdf, the window's built-in description, from the phrase catalogue
# and the layout rules (needed only when those change).
window-description: configure
	cmake --build $(BUILD) -j $(JOBS) --target make-window-description
	$(BUILD)/app/make-window-description app/pictures app/editor_form.vdf

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# The two commands every user starts with: `make run` and `make test`.
BUILD     ?= build
ASAN      ?= build-asan
FUZZBUILD ?= build-fuzz
GAME      ?= demo-game
CMAKE_GEN := -G Ninja
# The pinned formatter: clang-format 14, Debian 12's.
CLANG_FORMAT ?= clang-format-14

.PHONY: all deps configure build test test-asan run bench fuzz clean check-format format check-layers

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQZ_SANITIZE=ON -DQZ_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN)
	@cd $(ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

# libFuzzer targets, built with clang. Run one with e.g. build-fuzz/fuzz/pff_fuzz -max_total_time=60
fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZ_FUZZ=ON -DQZ_BUILD_GUI=OFF >/dev/null
	@cmake --build $(FUZZBUILD)

# Every tracked C++ source against .clang-format: lists what differs and fails, changes nothing.
check-format: deps
	@{ git ls-files -z '*.cpp' '*.h' 2>/dev/null || find src tests tools bench fuzz demo \( -name '*.cpp' -o -name '*.h' \) -print0; } | xargs -0 $(CLANG_FORMAT) --dry-run --Werror

# Rewrites every tracked C++ source as .clang-format says.
format: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 $(CLANG_FORMAT) -i

# Each folder of src/ includes only from the folders below it; no Qt header below src/shell.
check-layers: deps
	@scripts/check-layers

run: build
	@if [ -x scripts/run-editor ]; then scripts/run-editor $(BUILD) $(GAME); \
	 else echo "make run: the editor is not built yet; the libraries, tools and tests are."; fi

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZBUILD)

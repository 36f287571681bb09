# The two commands every user starts with: `make run` and `make test`.
BUILD     ?= build
ASAN      ?= build-asan
FUZZBUILD ?= build-fuzz
GAME      ?= demo-game
CMAKE_GEN := -G Ninja

.PHONY: all deps configure build test test-asan run bench fuzz clean

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

run: build
	@if [ -x scripts/run-editor ]; then scripts/run-editor $(BUILD) $(GAME); \
	 else echo "make run: the editor is not built yet; the libraries, tools and tests are."; fi

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZBUILD)

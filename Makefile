# One-command set-up: `make run` plays, `make test` checks everything.
# Both install what is missing (scripts/bootstrap), then build with both cores.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
FUZZ_SECONDS ?= 20
CMAKE_FLAGS ?=

.PHONY: all bootstrap build run test check check-sanitize fuzz bench install format clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQS_WERROR=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/quenbry-solitaire $(ARGS)

# The full gate that CI runs: the unit, scenario and smoke tests, the same tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target for a bounded time.
test: check check-sanitize fuzz

check: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

check-sanitize: build
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DQS_WERROR=ON -DQS_SANITIZE=ON -DQS_FUZZ=ON -DQS_BENCH=OFF -DQS_MEDIA=OFF \
	  -DQS_PREBUILT_MEDIA_DIR=$(CURDIR)/$(BUILD)/media >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE smoke

fuzz: check-sanitize
	@scripts/run-fuzzers $(ASAN_BUILD) $(FUZZ_SECONDS)

bench: build
	@for b in $$(find $(BUILD)/bench -type f -name "bench_*" -perm -u+x | sort); do "$$b"; done
	@scripts/measure-idle-cpu $(BUILD)/quenbry-solitaire 5

install: build
	@cmake --install $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

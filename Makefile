# One-command set-up: `make run` plays, `make test` checks everything.
# Both install what is missing (scripts/bootstrap), then build with both cores.
# docs/build.md says what `make test` runs, in what order and how long it takes.

BUILD        ?= build
SAN_BUILD    ?= build-san
JOBS         ?= 2
FUZZ_SECONDS ?= 15
CMAKE_FLAGS  ?=

# The builds below already use every core; running two stages at once would only make them fight
# over the CPU and interleave their output. Prerequisites run in the order they are listed.
.NOTPARALLEL:

.PHONY: all bootstrap configure build run test lint format-check layering check sanitize-build \
        check-sanitize every-test-ran fuzz bench install format clean

all: build

bootstrap:
	@scripts/bootstrap

# QS_BENCH and QS_UNIT_TESTS are passed each time because the cache keeps the last value:
# `make check` leaves out the benchmarks and the unit tests (the sanitizer build runs those),
# `make build` puts both back.
CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQS_WERROR=ON
CHECK_CONFIGURE = $(CONFIGURE) -DQS_BENCH=OFF -DQS_UNIT_TESTS=OFF

build: bootstrap
	@$(CONFIGURE) -DQS_BENCH=ON -DQS_UNIT_TESTS=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/quenbry-solitaire $(ARGS)

# The full gate that CI runs, cheapest and most likely to fail first: formatting and layering,
# then the g++ build of the program with its smoke, install, media and lint checks, then the clang
# build under AddressSanitizer and UndefinedBehaviorSanitizer with every unit and scenario test and
# the replay of every fuzz seed and crash file, a check that the two builds together ran every
# test, then each fuzz target for FUZZ_SECONDS. A skipped test fails the gate.
test: lint check check-sanitize every-test-ran fuzz

lint: format-check layering

# Both checks list files through git; outside a clone they would check nothing and pass.
IN_GIT = git rev-parse --is-inside-work-tree >/dev/null

format-check: bootstrap
	@$(IN_GIT)
	@git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h' \
	  | xargs -0 -r sh -c 'for f; do [ -f "$$f" ] && printf "%s\0" "$$f"; done' sh \
	  | xargs -0 -r clang-format --dry-run -Werror
	@echo "format: ok"

# Tests step aside only through tests/support/RequireMedia.h, which turns a skip into a failure
# in this gate; a bare GTEST_SKIP would pass here unnoticed.
layering: bootstrap
	@$(IN_GIT)
	@scripts/check-layering && echo "layering: ok"
	@if git grep -n --untracked 'GTEST_SKIP' -- 'tests/*' ':!tests/support/*'; then \
	  echo "tests skip through QS_SKIP_MISSING (tests/support/RequireMedia.h), not GTEST_SKIP"; \
	  exit 1; fi

# g++ -Werror over the program, its libraries and tools, the media, and the checks that need the
# optimised real program or the media generator; the unit tests are not even compiled here.
# A test that fails here runs once more: the real-window tests under Xvfb now and then find no
# window (FIXME: cause not found yet; docs/build.md). A program that cannot reach the test's X
# server now ends at once with "cannot open display" in the test's log instead of running unseen.
# A test that fails twice fails the gate.
check: bootstrap
	@$(CHECK_CONFIGURE) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@QS_REQUIRE_MEDIA=1 scripts/run-ctest $(BUILD) -j $(JOBS) --repeat until-pass:2

# clang, -O1 -g, ASan + UBSan + libstdc++ assertions: the program, every unit and scenario test
# and the fuzz targets. It has no media generator of its own and reads the media of $(BUILD).
sanitize-build: bootstrap
	@test -f $(BUILD)/media.stamp || { $(CHECK_CONFIGURE) $(CMAKE_FLAGS) >/dev/null && \
	  cmake --build $(BUILD) -j $(JOBS) --target media; }
	@CC=clang CXX=clang++ cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DQS_WERROR=ON -DQS_SANITIZE=ON -DQS_FUZZ=ON -DQS_BENCH=OFF -DQS_MEDIA=OFF \
	  -DQS_UNIT_TESTS=ON -DQS_PREBUILT_MEDIA_DIR=$(CURDIR)/$(BUILD)/media $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)

# The smoke test drives the real window and the lint tests ran in `check` already.
check-sanitize: sanitize-build
	@QS_REQUIRE_MEDIA=1 scripts/run-ctest $(SAN_BUILD) -j $(JOBS) -LE 'smoke|lint'

# After both test runs: no test, and no test program under tests/, was left out of both.
every-test-ran:
	@scripts/check-every-test-ran $(BUILD) $(SAN_BUILD)

fuzz: sanitize-build
	@scripts/run-fuzzers $(SAN_BUILD) $(FUZZ_SECONDS) $(JOBS)

bench: bootstrap
	@$(CONFIGURE) -DQS_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@for b in $$(find $(BUILD)/bench -type f -name "bench_*" -perm -u+x | sort); do "$$b"; done
	@scripts/measure-idle-cpu $(BUILD)/quenbry-solitaire 5

install: build
	@cmake --install $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) build-asan

# Two commands on a fresh Debian 12 machine:
#   make run   - builds and starts Movra_Rudizi
#   make test  - builds and runs every test
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build program run test bench fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program and what it needs, without the tests and benchmarks.
program: configure
	@cmake --build $(BUILD) -j $(JOBS) --target Movra_Rudizi

run: program
	@$(BUILD)/bin/Movra_Rudizi

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; $$b --benchmark_min_time=0.2; done

fuzz: deps
	@bash scripts/fuzz.sh 60

clean:
	@rm -rf $(BUILD) build-asan build-fuzz

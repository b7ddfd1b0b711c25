# Front door: `make demo` and `make test` do all set-up themselves.
#   make demo          set up, build, run refine on the bundled example
#   make test          set up, build, run every test
#   make test SANITIZE=1   the same in a build with ASan and UBSan (build-san/)
#   make bench         build the benchmarks (build-bench/) and run them
#   make fuzz          build the libFuzzer targets with clang (build-fuzz/)

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-san
CMAKE_FLAGS += -DREFINE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD_DIR ?= build
endif

.PHONY: all setup build test demo bench fuzz clean

all: build

setup:
	@tools/setup.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: setup $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	@examples/demo.sh $(BUILD_DIR)/bin

bench: setup
	cmake -S . -B build-bench -DREFINE_BENCH=ON -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bin/bench_*; do echo "== $$b"; $$b; done

fuzz: setup
	CXX=clang++ cmake -S . -B build-fuzz -DREFINE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf build build-san build-bench build-fuzz

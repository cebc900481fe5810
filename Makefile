# Velkscope: `make run` starts the program on the simulated capture device,
# `make test` runs every test. Both install what is missing first.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build package run test bench-tree bench soak monitor-soak dump-bench mutants clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELK_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build build/release -j $(JOBS)

# The Debian package of the release build: build/release/velkscope_<version>_amd64.deb.
package: build
	cd build/release && cpack -G DEB
	@ls build/release/velkscope_*_amd64.deb

run: build
	@bash scripts/run.sh build/release/bin

# Sanitized build (AddressSanitizer and UndefinedBehaviorSanitizer) with the
# fuzz targets, which ctest runs for a bounded number of inputs each.
test: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	      -DVELK_SANITIZE=ON -DVELK_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DVELK_TSAN=ON -DVELK_GUI=OFF -DVELK_TESTS=ON \
	      $(CMAKE_FLAGS)
	cmake --build build/tsan -j $(JOBS) --target device_tests files_tests
	build/tsan/bin/device_tests --gtest_brief=1
	build/tsan/bin/files_tests --gtest_brief=1 --gtest_filter='ListExport.*:RWthread.*'

# The Release tree of the benchmarks, configured once; each target below
# builds only what it runs.
bench-tree: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVELK_BENCH=ON -DVELK_TESTS=OFF -DVELK_GUI=ON \
	      $(CMAKE_FLAGS)

bench: bench-tree
	cmake --build build/bench -j $(JOBS) --target velk_bench velk_window_bench
	build/bench/bin/velk_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen build/bench/bin/velk_window_bench --benchmark_repetitions=9 \
	      --benchmark_report_aggregates_only=true

# 60 s of velksim at full speed into the device link; every frame checked.
soak: bench-tree
	cmake --build build/bench -j $(JOBS) --target velk_soak velksim
	build/bench/bin/velk_soak 60

# 60 s of velksim at 5000 frames/s into the main window, ring buffer and log
# files on, the call list and the findings window open, offscreen; every
# logged frame checked, every frame that counts for the calls found in the
# listed calls, every finding listed; tick percentiles shown.
monitor-soak: deps
	cmake -S . -B build/monitor-soak -DCMAKE_BUILD_TYPE=Release -DVELK_BENCH=ON -DVELK_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build build/monitor-soak -j $(JOBS) --target velk_monitor_soak velksim velk_catalogue
	QT_QPA_PLATFORM=offscreen build/monitor-soak/bin/velk_monitor_soak 60 5000

# velkdump as a whole process over a live-captured 30000-frame trace.
dump-bench: bench-tree
	cmake --build build/bench -j $(JOBS) --target velkdump velksim velk_catalogue
	bash bench/velkdump-bench.sh build/bench/bin 9

# Mutation testing (not part of `make test`): a seeded sample of 200 mutants of
# the core files the build without windows compiles (base store decode options
# device files calls search detail print app tools; not sim), each run against every
# non-window test program that reaches its file (unit, e2e, sim and the tools'
# tests with velkdump, velksim and velkscope-extcap); the score, the survivors
# and the files left out in build/mutants. MUTANTS_FLAGS="--seed 9 --count 200"
# picks the sample, "--only decode/" its part in one folder.
mutants: deps
	python3 scripts/mutants.py $(MUTANTS_FLAGS)

clean:
	rm -rf build

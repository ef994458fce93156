# Front door: `make run` starts the program, `make test` runs every test, `make bench` the benchmarks.
JOBS ?= 2
GENERATOR := -G Ninja

.PHONY: all deps run test bench clean

all: build/run/build.ninja
	cmake --build build/run -j$(JOBS)

deps:
	@scripts/install-deps.sh

build/run/build.ninja: | deps
	cmake -S . -B build/run $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZ7_TESTS=OFF

run: deps build/run/build.ninja
	cmake --build build/run -j$(JOBS)
	@scripts/run.sh build/run/bin

test: deps
	cmake -S . -B build/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DZ7_SANITIZE=ON -DZ7_TESTS=ON
	cmake --build build/test -j$(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B build/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DZ7_TESTS=OFF -DZ7_BENCH=ON
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench/bench_*; do echo "== $$b"; "$$b" || exit 1; done

clean:
	rm -rf build

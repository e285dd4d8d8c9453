# Strokewise desktop suite. `make test` and `make run` install whatever the machine lacks first.
.PHONY: all deps build test run screenshots benchmark clean

all: build

deps:
	@scripts/deps.sh

build: deps
	@scripts/build.sh

test: deps
	@scripts/test.sh

run: deps
	@scripts/run.sh

screenshots: deps
	@scripts/screenshots.sh

benchmark: deps
	@scripts/benchmark.sh

clean:
	rm -rf build dist

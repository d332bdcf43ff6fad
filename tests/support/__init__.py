"""What the tests, the benchmark and the picture scripts share (they set PYTHONPATH=tests)."""

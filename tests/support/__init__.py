"""What the tests, the web benchmark and the picture scripts share (each sets PYTHONPATH=tests)."""

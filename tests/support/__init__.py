"""What the tests and the web benchmark share (it sets PYTHONPATH=tests)."""

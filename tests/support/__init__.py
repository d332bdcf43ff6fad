"""What the tests, the benchmark and the picture scripts share: the X screen read back
(screen), the real demo driven and read (demo), a folder served as a user would (serve),
and the headless browsers (browsers). Imported as the package support: pytest finds it
beside the tests; the scripts set PYTHONPATH=tests."""

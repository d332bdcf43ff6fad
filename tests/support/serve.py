"""A folder served as a user serves the page: by scripts/serve.sh, on a free port of 127.0.0.1."""
import os, re, select, subprocess

SERVE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/serve.sh")


class Served:
    """Served(folder[, port]).url while the server runs; close() ends it. A context manager too."""

    def __init__(self, folder, port=0):
        self.p = subprocess.Popen([SERVE, str(folder), str(port)], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        ready = select.select([self.p.stdout], [], [], 30)[0]
        port = re.search(r"port (\d+)", self.p.stdout.readline() if ready else "")
        if not port:
            self.close()
            raise RuntimeError(f"scripts/serve.sh did not say its port serving {folder}")
        self.port, self.url = port[1], f"http://127.0.0.1:{port[1]}/"

    def close(self):  # again, too
        self.p.kill()
        self.p.wait()
        self.p.stdout.close()

    __enter__ = lambda self: self
    __exit__ = lambda self, *_: self.close()

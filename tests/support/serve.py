"""A folder served on a free port of 127.0.0.1: as a user serves the page, by scripts/serve.sh; or as many static
hosts do (this file, run): clean addresses (index.html redirected to its folder, a folder's address without "/"
answered with its index.html), HEAD refused, every file let be reused ten minutes unasked (max-age)."""
import functools, http.server, importlib.util, os, re, select, subprocess, sys

HELPERS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/helpers")


class Served:
    """Served(folder[, port[, how]]).url while the server runs; close() ends it. A context manager too."""

    def __init__(self, folder, port=0, how="careful"):
        server = {"careful": [f"{HELPERS}/../serve.sh"], "clean": [sys.executable, os.path.abspath(__file__)]}[how]
        self.p = subprocess.Popen([*server, str(folder), str(port)], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        ready = select.select([self.p.stdout], [], [], 30)[0]
        port = re.search(r"port (\d+)", self.p.stdout.readline() if ready else "")
        if not port:
            self.close()
            raise RuntimeError(f"the server did not say its port serving {folder}")
        self.port, self.url = port[1], f"http://127.0.0.1:{port[1]}/"

    def close(self):  # again, too
        self.p.kill()
        self.p.wait()
        self.p.stdout.close()

    __enter__ = lambda self: self
    __exit__ = lambda self, *_: self.close()


if __name__ == "__main__":  # the host with clean addresses, with scripts/serve.sh's headers
    found = importlib.util.spec_from_file_location("careful", f"{HELPERS}/serve.py")
    found.loader.exec_module(careful := importlib.util.module_from_spec(found))

    class Clean(careful.Handler):
        def do_HEAD(self):
            self.send_error(405)

        def send_header(self, name, value):
            super().send_header(name, "max-age=600" if name == "Cache-Control" else value)

        def do_GET(self):
            if os.path.isdir(self.translate_path(self.path)) and not self.path.endswith("/"):
                self.path += "/"
            elif self.path.endswith("/index.html"):
                self.send_response(301)
                self.send_header("Location", self.path[:-len("index.html")])
                return self.end_headers()
            super().do_GET()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[2])), functools.partial(Clean, directory=sys.argv[1]))
    print(f"port {server.server_address[1]}", flush=True)
    server.serve_forever()

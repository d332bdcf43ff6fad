"""Serves a folder from 127.0.0.1 with the headers a careful static host sends, so that what is
tested is what such a host serves: serve.py FOLDER PORT (0: any free one). Its first line says
where. The page runs under this strict Content-Security-Policy; .wasm goes as application/wasm,
the manifest as application/manifest+json, and no type is guessed (nosniff); nothing is cached
without asking again, so a new build, and its worker, sw.js, are seen at once."""
import functools, http.server, sys

POLICY = ("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self' data:; "
          "object-src 'none'; base-uri 'none'")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".webmanifest": "application/manifest+json"}

    def end_headers(self):
        self.send_header("Content-Security-Policy", POLICY)
        self.send_header("Cache-Control", "no-cache")
        self.send_header("X-Content-Type-Options", "nosniff")
        super().end_headers()


if __name__ == "__main__":
    server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[2])), functools.partial(Handler, directory=sys.argv[1]))
    print(f"Serving HTTP on 127.0.0.1 port {server.server_address[1]} (http://127.0.0.1:{server.server_address[1]}/)", flush=True)
    server.serve_forever()

#!/usr/bin/env python3
"""Serves the built site on 127.0.0.1 only, with the page's security policy
also as a header and the media types the browser wants.

    web/serve.py SITE_FOLDER [PORT]      port 0 picks a free one
"""

import functools
import http.server
import sys

HEADERS = {
    "Content-Security-Policy": "default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; "
                               "style-src 'self'; img-src 'self'; connect-src 'self'; "
                               "manifest-src 'self'; worker-src 'self'; base-uri 'none'; "
                               "form-action 'none'; frame-ancestors 'none'",
    "X-Content-Type-Options": "nosniff",
    "Cache-Control": "no-cache",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
        ".js": "text/javascript",
        ".vqd": "application/octet-stream",
        ".TXT": "text/plain; charset=utf-8",
    }

    def end_headers(self):
        for name, value in HEADERS.items():
            self.send_header(name, value)
        super().end_headers()

    def log_message(self, *args):
        pass


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8030
    handler = functools.partial(Handler, directory=site)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"Quorvane: http://127.0.0.1:{server.server_address[1]}/", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()

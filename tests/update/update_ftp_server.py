#!/usr/bin/python3
"""The update server of the tests: an FTP server on 127.0.0.1 over a folder
laid out as the maker's download server, with the update account. Prints
"PORT <n>" once it listens.

--lie NAME=SIZE   lists NAME with SIZE bytes while sending the real file
--throttle N      sends file data at N bytes a second
--no-mlsd         answers MLSD as an unknown command, as older servers do
"""
import argparse
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--lie", action="append", default=[])
    parser.add_argument("--throttle", type=int, default=0)
    parser.add_argument("--no-mlsd", action="store_true")
    args = parser.parse_args()

    lies = {}
    for item in args.lie:
        name, size = item.rsplit("=", 1)
        lies[name] = int(size)

    class LyingFS(AbstractedFS):
        def stat(self, path):
            st = super().stat(path)
            size = lies.get(os.path.basename(path))
            if size is None:
                return st
            values = list(st)
            values[6] = size
            return os.stat_result(values)

        lstat = stat

    authorizer = DummyAuthorizer()
    authorizer.add_user("vncust", "hwelnaDKR", args.root, perm="elr")
    handler = type("Handler", (FTPHandler,), {})
    handler.authorizer = authorizer
    handler.abstracted_fs = LyingFS
    handler.banner = "test update server"
    handler.passive_ports = None
    if args.no_mlsd:
        handler.proto_cmds = {k: v for k, v in FTPHandler.proto_cmds.items() if k != "MLSD"}
    if args.throttle > 0:
        dtp = type("Dtp", (ThrottledDTPHandler,), {})
        dtp.write_limit = args.throttle
        handler.dtp_handler = dtp

    import logging
    logging.basicConfig(level=logging.ERROR)
    server = FTPServer(("127.0.0.1", 0), handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    sys.exit(main())

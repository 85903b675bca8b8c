"""A small SMTP server for the mail tests: TLS from the start of the connection, one user
and password, every received message written to a folder. Listens on 127.0.0.1 on a free
port, prints the port on its first line, and ends when its standard input closes or after
a minute.

    smtp_server.py CERT KEY USER PASSWORD OUTDIR [normal|silent]

silent: a login is neither accepted nor refused; the server just stops answering.
"""
import asyncio
import json
import logging
import os
import ssl
import sys
import warnings

warnings.simplefilter("ignore")
logging.getLogger("mail.log").setLevel(logging.CRITICAL)

try:
    from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword
except ImportError:
    print("python3-aiosmtpd is not installed", flush=True)
    sys.exit(3)

cert, key, user, password, outdir = sys.argv[1:6]
mode = sys.argv[6] if len(sys.argv) > 6 else "normal"
count = 0


def log(line):
    with open(os.path.join(outdir, "events.log"), "a", encoding="utf-8") as f:
        f.write(line + "\n")


def authenticator(server, session, envelope, mechanism, auth_data):
    login = auth_data.login.decode() if isinstance(auth_data, LoginPassword) else ""
    log("auth " + login)
    if mode == "silent":
        # handled=True without an answer of our own: the client hears nothing more.
        return AuthResult(success=False, handled=True)
    if isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
            and auth_data.password.decode() == password:
        return AuthResult(success=True, auth_data=login)
    return AuthResult(success=False, handled=False)


class Handler:
    async def handle_DATA(self, server, session, envelope):
        global count
        count += 1
        base = os.path.join(outdir, "%d" % count)
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".json", "w", encoding="utf-8") as f:
            json.dump({"from": envelope.mail_from, "to": envelope.rcpt_tos,
                       "login": session.auth_data}, f)
        log("message %d" % count)
        return "250 OK"


async def main():
    ctx = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    ctx.load_cert_chain(cert, key)
    loop = asyncio.get_running_loop()

    def factory():
        log("connect")
        return SMTP(Handler(), hostname="pelvanor-test", authenticator=authenticator,
                    auth_require_tls=False, auth_required=True)

    server = await loop.create_server(factory, "127.0.0.1", 0, ssl=ctx)
    print(server.sockets[0].getsockname()[1], flush=True)
    done = loop.create_future()

    def stdin_closed():
        if not sys.stdin.buffer.read1(4096) and not done.done():
            done.set_result(None)

    loop.add_reader(sys.stdin.fileno(), stdin_closed)
    try:
        await asyncio.wait_for(done, 60)
    except asyncio.TimeoutError:
        pass
    server.close()


asyncio.run(main())

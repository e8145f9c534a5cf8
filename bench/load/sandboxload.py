#!/usr/bin/env python3
"""The sandbox under load: N clients at once post tweets, read timelines and send direct
messages for a while, each over its own connection and signed as its own account.

    bench/load/sandboxload.py [--clients 50] [--seconds 60] [--sandbox build/sandbox/zirrup-sandbox]

Starts a fresh sandbox on a free port with a database in a temporary directory, creates the
accounts, lets each follow its neighbours, runs the load, stops the sandbox and then counts the
rows in its database. Passes when no request was lost (every acknowledged post and message is a
row, no more, no fewer) and no answer was a 5xx; prints the latency percentiles per kind.
"""

import argparse
import base64
import hashlib
import hmac
import http.client
import json
import os
import random
import secrets
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

CONSUMER_KEY = "zirrup-desktop-client"
CONSUMER_SECRET = "kX3v9QeZr7LmP2wT5bN8cY1dF4hJ6sA0"


def enc(value):
    return urllib.parse.quote(str(value), safe="-._~")


def authorization(method, host, port, path, params, token="", token_secret=""):
    oauth = {
        "oauth_consumer_key": CONSUMER_KEY,
        "oauth_nonce": secrets.token_hex(16),
        "oauth_signature_method": "HMAC-SHA1",
        "oauth_timestamp": str(int(time.time())),
        "oauth_version": "1.0",
    }
    if token:
        oauth["oauth_token"] = token
    pairs = sorted((enc(k), enc(v)) for k, v in list(params.items()) + list(oauth.items()))
    normalized = "&".join(f"{k}={v}" for k, v in pairs)
    base = "&".join([method, enc(f"http://{host}:{port}{path}"), enc(normalized)])
    key = f"{enc(CONSUMER_SECRET)}&{enc(token_secret)}".encode()
    signature = base64.b64encode(hmac.new(key, base.encode(), hashlib.sha1).digest()).decode()
    oauth["oauth_signature"] = signature
    return "OAuth " + ", ".join(f'{k}="{enc(v)}"' for k, v in sorted(oauth.items()))


class Client:
    def __init__(self, host, port, name):
        self.host, self.port, self.name = host, port, name
        self.token = self.secret = ""
        self.connection = http.client.HTTPConnection(host, port, timeout=30)

    def request(self, method, path, params=None, signed=True):
        params = params or {}
        body = None
        headers = {}
        target = path
        if method == "GET" and params:
            target += "?" + urllib.parse.urlencode(params, quote_via=urllib.parse.quote)
        elif params:
            body = urllib.parse.urlencode(params, quote_via=urllib.parse.quote)
            headers["Content-Type"] = "application/x-www-form-urlencoded"
        if signed:
            headers["Authorization"] = authorization(method, self.host, self.port, path, params,
                                                     self.token, self.secret)
        for attempt in range(2):
            try:
                self.connection.request(method, target, body=body, headers=headers)
                answer = self.connection.getresponse()
                return answer.status, answer.read()
            except (ConnectionError, http.client.HTTPException):
                # A closed keep-alive connection: once more on a new one. A request that
                # reached the server is never repeated (the server answers before closing).
                self.connection.close()
                self.connection = http.client.HTTPConnection(self.host, self.port, timeout=30)
                if attempt:
                    raise

    def sign_in(self, password):
        status, body = self.request("POST", "/oauth/access_token",
                                    {"x_auth_mode": "client_auth", "x_auth_username": self.name,
                                     "x_auth_password": password})
        if status != 200:
            raise RuntimeError(f"sign-in of {self.name}: {status} {body[:200]!r}")
        answer = json.loads(body)
        self.token, self.secret = answer["oauth_token"], answer["oauth_token_secret"]


def percentile(values, p):
    if not values:
        return float("nan")
    values = sorted(values)
    return values[min(len(values) - 1, int(round(p / 100.0 * (len(values) - 1))))]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--clients", type=int, default=50)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--sandbox", default="build/sandbox/zirrup-sandbox")
    args = parser.parse_args()

    workdir = tempfile.mkdtemp(prefix="zirrup-load-")
    db = os.path.join(workdir, "load.db")
    names = [f"load{i:02d}" for i in range(args.clients)]
    command = [args.sandbox, "--db", db, "--port", "0", "--keepalive", "30"]
    for name in names:
        command += ["--user", f"{name}:pw-{name}"]
    env = dict(os.environ, XDG_DATA_HOME=workdir, XDG_CACHE_HOME=workdir,
               QT_QPA_PLATFORM="offscreen")
    sandbox = subprocess.Popen(command, stdout=subprocess.PIPE, env=env, text=True)
    address = urllib.parse.urlparse(sandbox.stdout.readline().strip())
    host, port = address.hostname, address.port

    clients = [Client(host, port, name) for name in names]
    for client in clients:
        client.sign_in(f"pw-{client.name}")
    # Everybody follows both neighbours, so each may message the next.
    for i, client in enumerate(clients):
        for j in ((i - 1) % len(clients), (i + 1) % len(clients)):
            status, body = client.request("POST", "/1/friendships/create.json",
                                          {"screen_name": names[j]})
            assert status == 200, (status, body[:200])

    lock = threading.Lock()
    latencies = {"post": [], "read": [], "message": []}
    statuses = {}
    acknowledged = {"post": 0, "message": 0}
    failures = []
    deadline = time.monotonic() + args.seconds
    start_barrier = threading.Barrier(len(clients))

    def run(i, client):
        rng = random.Random(i)
        partner = names[(i + 1) % len(names)]
        start_barrier.wait()
        n = 0
        while time.monotonic() < deadline:
            n += 1
            kind = rng.choice(("post", "read", "read", "message"))
            if kind == "post":
                request = ("POST", "/1/statuses/update.json",
                           {"status": f"load {client.name} #{n} @{partner} #load"})
            elif kind == "message":
                request = ("POST", "/1/direct_messages/new.json",
                           {"screen_name": partner, "text": f"message {n} from {client.name}"})
            else:
                path = rng.choice(("/1/statuses/home_timeline.json", "/1/statuses/mentions.json",
                                   "/1/direct_messages.json"))
                request = ("GET", path, {"count": "51", "include_entities": "true"})
            began = time.monotonic()
            try:
                status, body = client.request(*request)
            except Exception as error:  # a lost request
                with lock:
                    failures.append(f"{kind}: {error!r}")
                continue
            elapsed = (time.monotonic() - began) * 1000.0
            with lock:
                latencies[kind].append(elapsed)
                statuses[status] = statuses.get(status, 0) + 1
                if status == 200 and kind in acknowledged:
                    acknowledged[kind] += 1
                elif status != 200:
                    failures.append(f"{kind}: {status} {body[:120]!r}")

    threads = [threading.Thread(target=run, args=(i, c)) for i, c in enumerate(clients)]
    began = time.monotonic()
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    wall = time.monotonic() - began
    sandbox.terminate()
    sandbox.wait(timeout=30)

    database = sqlite3.connect(db)
    user_ids = [row[0] for row in database.execute(
        "SELECT id FROM users WHERE screen_name LIKE 'load%'")]
    marks = ",".join("?" * len(user_ids))
    posted = database.execute(f"SELECT COUNT(*) FROM statuses WHERE user_id IN ({marks})",
                              user_ids).fetchone()[0]
    sent = database.execute(f"SELECT COUNT(*) FROM messages WHERE sender_id IN ({marks})",
                            user_ids).fetchone()[0]

    total = sum(len(v) for v in latencies.values())
    print(f"{args.clients} clients, {wall:.1f} s: {total} requests ({total / wall:.0f}/s), "
          f"answers by status {dict(sorted(statuses.items()))}")
    for kind, values in latencies.items():
        print(f"  {kind:8s} n={len(values):6d}  p50={percentile(values, 50):7.1f} ms  "
              f"p90={percentile(values, 90):7.1f} ms  p99={percentile(values, 99):7.1f} ms  "
              f"max={max(values) if values else float('nan'):7.1f} ms")
    print(f"  posts acknowledged {acknowledged['post']}, rows {posted}; "
          f"messages acknowledged {acknowledged['message']}, rows {sent}")
    server_errors = sum(n for s, n in statuses.items() if s >= 500)
    ok = (not failures and server_errors == 0 and posted == acknowledged["post"]
          and sent == acknowledged["message"])
    for failure in failures[:10]:
        print("  failure:", failure)
    print("PASS" if ok else "FAIL")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

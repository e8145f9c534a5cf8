#!/usr/bin/env python3
"""A second, independent OAuth 1.0a implementation (oauthlib) for the interoperability test.

check
    Exits 0 when oauthlib can be imported, 77 when it cannot.
send METHOD URL BODY CONSUMER_KEY CONSUMER_SECRET TOKEN TOKEN_SECRET
    Signs with oauthlib's Client (Authorization header, HMAC-SHA1), sends URL and BODY exactly as
    written with http.client, and prints the answer's status on one line and its body after it.
    An empty TOKEN signs without a token; a BODY is sent urlencoded.
verify METHOD URL BODY AUTHORIZATION CONSUMER_SECRET TOKEN_SECRET
    Prints "ok" when the header's signature is the one oauthlib computes, "bad" otherwise.
"""
import http.client
import sys
from urllib.parse import urlsplit

try:
    from oauthlib.oauth1 import Client
    from oauthlib.oauth1.rfc5849 import signature, utils
    from oauthlib.common import Request
except ImportError:
    sys.exit(77)

FORM = 'application/x-www-form-urlencoded'


def send(method, url, body, consumer_key, consumer_secret, token, token_secret):
    client = Client(consumer_key, client_secret=consumer_secret,
                    resource_owner_key=token or None, resource_owner_secret=token_secret or None)
    headers = {'Content-Type': FORM} if body else {}
    # oauthlib signs the decoded parameters; the bytes sent stay the ones written here.
    _, signed, _ = client.sign(url, method, body or None, headers)
    parts = urlsplit(url)
    target = parts.path + ('?' + parts.query if parts.query else '')
    connection = http.client.HTTPConnection(parts.hostname, parts.port, timeout=20)
    connection.request(method, target, body=body.encode('ascii') if body else None,
                       headers=signed)
    answer = connection.getresponse()
    sys.stdout.write('%d\n' % answer.status)
    sys.stdout.write(answer.read().decode('utf-8'))


def verify(method, url, body, authorization, consumer_secret, token_secret):
    request = Request(url, method, body or None, {'Authorization': authorization})
    request.params = signature.collect_parameters(
        uri_query=urlsplit(url).query, body=body or None, headers=request.headers)
    request.signature = utils.unescape(
        dict(utils.parse_authorization_header(authorization))['oauth_signature'])
    good = signature.verify_hmac_sha1(request, consumer_secret, token_secret)
    print('ok' if good else 'bad')


if __name__ == '__main__':
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == 'send':
        send(*arguments)
    elif command == 'verify':
        verify(*arguments)

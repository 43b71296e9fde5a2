#!/usr/bin/env python3
"""Makes the shipped zip from the program and its support component.

    ship.py --source <checkout> --out <folder> --name <zip name without .zip>
            [--work <folder for temporary files>] <file> [<file> ...]

Writes <out>/<name>.zip, one folder Stellwick/ holding the files in the order
given, and <out>/SHA256SUMS beside it in the form `sha256sum -c` reads.

The same files give the same zip wherever and whenever it is made: the entries
come in a fixed order, with fixed permissions and compression, and their times
are SOURCE_DATE_EPOCH (the caller's; else the time of the checkout's last
commit; else a fixed time, said in one line).

When STELLWICK_SIGN_PFX names a PKCS#12 file, both files are signed with it
(Authenticode, SHA-256) before they go into the zip; STELLWICK_SIGN_PASSWORD is
its password (may be empty) and STELLWICK_SIGN_TIMESTAMP_URL an RFC 3161
time-stamp server (optional). The signing time is SOURCE_DATE_EPOCH too, so a
signed build without a time-stamp server gives the same bytes again. A
certificate that cannot sign code now fails the build, and so does any failed
signature: then no zip and no SHA256SUMS are left in the output folder.
"""
import argparse
import calendar
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

FOLDER = "Stellwick/"
MAKER_URL = "https://support.torvane.example"
DESCRIPTION = "Stellwick"
# Zip times cannot go before 1980; a checkout without history gets this one.
FIXED_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC
# Unix permissions as the earlier CPack zips carried them.
DIR_MODE = 0o40755
PROGRAM_MODE = 0o100755
FILE_MODE = 0o100644


class ShipError(Exception):
    pass


def say(text):
    print(f"ship: {text}", flush=True)


def source_date_epoch(source):
    given = os.environ.get("SOURCE_DATE_EPOCH", "").strip()
    if given:
        if not given.isdigit():
            raise ShipError(f"SOURCE_DATE_EPOCH is not a count of seconds: {given!r}")
        return int(given)
    # Only the history of this very checkout counts, not that of a repository
    # the folder happens to lie in.
    try:
        top = subprocess.run(["git", "-C", source, "rev-parse", "--show-toplevel"],
                             capture_output=True, text=True)
        if top.returncode == 0 and os.path.samefile(top.stdout.strip(), source):
            log = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                                 capture_output=True, text=True)
            if log.returncode == 0 and log.stdout.strip().isdigit():
                return int(log.stdout.strip())
    except OSError:
        pass
    say("no git history in this checkout: the zip's times are 1980-01-01 00:00:00 UTC "
        "(set SOURCE_DATE_EPOCH to choose another)")
    return FIXED_EPOCH


def zip_time(epoch):
    # Zip stores a local date without zone and with 2 s steps; UTC is the only
    # reading that gives the same bytes on every machine.
    return time.gmtime(max(epoch, FIXED_EPOCH))[:6]


def write_zip(path, files, epoch):
    when = zip_time(epoch)

    def entry(name, mode, compress):
        info = zipfile.ZipInfo(name, when)
        info.create_system = 3  # Unix, so that the permissions below are read
        info.external_attr = mode << 16
        info.compress_type = compress
        return info

    with zipfile.ZipFile(path, "w") as z:
        z.writestr(entry(FOLDER, DIR_MODE, zipfile.ZIP_STORED), b"")
        for f in files:
            with open(f, "rb") as src:
                data = src.read()
            name = os.path.basename(f)
            mode = PROGRAM_MODE if name.lower().endswith(".exe") else FILE_MODE
            z.writestr(entry(FOLDER + name, mode, zipfile.ZIP_DEFLATED),
                       data, compresslevel=6)


def run(cmd, env=None, input=None):
    try:
        return subprocess.run(cmd, capture_output=True, text=True, env=env, input=input)
    except FileNotFoundError:
        raise ShipError(f"{cmd[0]} is not installed (scripts/bootstrap installs it)")


def openssl_pkcs12_certs(pfx, password):
    env = dict(os.environ, STELLWICK_SIGN_PASSWORD=password)
    cmd = ["openssl", "pkcs12", "-in", pfx, "-clcerts", "-nokeys",
           "-passin", "env:STELLWICK_SIGN_PASSWORD"]
    r = run(cmd, env)
    if r.returncode != 0 and "unsupported" in r.stderr.lower():
        # Older PKCS#12 files encrypt with ciphers OpenSSL 3 keeps apart.
        r = run(cmd + ["-legacy"], env)
    if r.returncode != 0:
        raise ShipError(f"cannot read the signing certificate {pfx} (wrong password?):\n"
                        + r.stderr.strip())
    begin = r.stdout.find("-----BEGIN CERTIFICATE-----")
    end = r.stdout.find("-----END CERTIFICATE-----")
    if begin < 0 or end < 0:
        raise ShipError(f"{pfx} holds no certificate with its key")
    return r.stdout[begin:end + len("-----END CERTIFICATE-----")] + "\n"


def check_certificate(pfx, password, now):
    """osslsigncode signs with expired certificates and with ones not meant for
    code as well; Windows would then call the files unsigned, so such a
    certificate stops the build here."""
    pem = openssl_pkcs12_certs(pfx, password)
    r = run(["openssl", "x509", "-noout", "-subject", "-startdate", "-enddate",
             "-ext", "extendedKeyUsage"], input=pem)
    if r.returncode != 0:
        raise ShipError(f"cannot read the certificate in {pfx}:\n{r.stderr.strip()}")
    fields = {}
    for line in r.stdout.splitlines():
        key, sep, value = line.partition("=")
        if sep:
            fields.setdefault(key.strip(), value.strip())
    subject = fields.get("subject", "?")

    def date(key):
        return calendar.timegm(time.strptime(fields[key], "%b %d %H:%M:%S %Y GMT"))

    if now < date("notBefore"):
        raise ShipError(f"the signing certificate ({subject}) is not valid before {fields['notBefore']}")
    if now > date("notAfter"):
        raise ShipError(f"the signing certificate ({subject}) expired on {fields['notAfter']}")
    if "Code Signing" not in r.stdout:
        raise ShipError(f"the signing certificate ({subject}) is not for code signing "
                        "(its extended key usage lacks codeSigning)")
    return subject


def sign(files, staging, epoch):
    pfx = os.environ["STELLWICK_SIGN_PFX"]
    password = os.environ.get("STELLWICK_SIGN_PASSWORD", "")
    stamp_url = os.environ.get("STELLWICK_SIGN_TIMESTAMP_URL", "")
    try:
        with open(pfx, "rb"):
            pass
    except OSError as e:
        raise ShipError(f"cannot read the signing certificate {pfx}: {e.strerror}")
    subject = check_certificate(pfx, password, time.time())
    # The password goes through a file only this user can read, not the
    # command line that every process can see.
    cmd = ["osslsigncode", "sign", "-pkcs12", pfx, "-h", "sha256", "-n", DESCRIPTION,
           "-i", MAKER_URL, "-time", str(epoch)]
    if password:
        pass_file = os.path.join(staging, "password")
        fd = os.open(pass_file, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
        with os.fdopen(fd, "w") as f:
            f.write(password)
        cmd += ["-readpass", pass_file]
    if stamp_url:
        cmd += ["-ts", stamp_url]
    signed = []
    for f in files:
        out = os.path.join(staging, os.path.basename(f))
        r = run(cmd + ["-in", f, "-out", out])
        if r.returncode != 0:
            raise ShipError(f"osslsigncode could not sign {os.path.basename(f)}:\n"
                            + (r.stdout + r.stderr).strip())
        signed.append(out)
    say(f"signed {', '.join(os.path.basename(f) for f in files)} as {subject}"
        + (f", time-stamped by {stamp_url}" if stamp_url else ", no time-stamp server"))
    return signed


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--source", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--name", required=True)
    ap.add_argument("--work")
    ap.add_argument("files", nargs="+")
    args = ap.parse_args()

    zip_path = os.path.join(args.out, args.name + ".zip")
    sums_path = os.path.join(args.out, "SHA256SUMS")
    os.makedirs(args.out, exist_ok=True)
    # An earlier zip must not pass for this build's if this one fails.
    for p in (zip_path, sums_path):
        if os.path.exists(p):
            os.remove(p)
    if args.work:
        os.makedirs(args.work, exist_ok=True)
    staging = tempfile.mkdtemp(prefix="ship-", dir=args.work)
    try:
        epoch = source_date_epoch(args.source)
        files = args.files
        if os.environ.get("STELLWICK_SIGN_PFX"):
            files = sign(files, staging, epoch)
        else:
            say("unsigned: STELLWICK_SIGN_PFX is not set")
        part = os.path.join(staging, "zip")
        write_zip(part, files, epoch)
        with open(part, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        shutil.move(part, zip_path)
        with open(sums_path, "w", newline="\n") as f:
            f.write(f"{digest}  {args.name}.zip\n")
        say(f"{zip_path}\nship: sha256 {digest}")
    except ShipError as e:
        print(f"ship: {e}", file=sys.stderr)
        print("ship: nothing shipped", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(staging, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())

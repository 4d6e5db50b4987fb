"""The test certificates of the local directory service, made afresh at each start.

A fresh root each run: nothing it signs outlives the service, and the clients under test trust
it only while they run (they fetch it from /_control/root). Every server certificate names
"localhost" unless said otherwise; all of them share one key, since only the certificates
differ between the cases.
"""
import datetime
import ipaddress
import os

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import rsa
from cryptography.x509.oid import AuthorityInformationAccessOID, ExtendedKeyUsageOID, NameOID

DAY = datetime.timedelta(days=1)


def _key():
    return rsa.generate_private_key(public_exponent=65537, key_size=2048)


def _name(common_name):
    return x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, common_name)])


def _certificate(subject, key, issuer, issuer_key, *, ca=False, names=None, not_before=None,
                 not_after=None, issuer_url=None):
    now = datetime.datetime.now(datetime.timezone.utc)
    builder = (x509.CertificateBuilder()
               .subject_name(_name(subject))
               .issuer_name(_name(issuer))
               .public_key(key.public_key())
               .serial_number(x509.random_serial_number())
               .not_valid_before(not_before or now - DAY)
               .not_valid_after(not_after or now + 3650 * DAY)
               .add_extension(x509.BasicConstraints(ca=ca, path_length=None), critical=True))
    if not ca:
        builder = builder.add_extension(x509.ExtendedKeyUsage([ExtendedKeyUsageOID.SERVER_AUTH]),
                                        critical=False)
    if names:
        builder = builder.add_extension(x509.SubjectAlternativeName(names), critical=False)
    if issuer_url:
        builder = builder.add_extension(x509.AuthorityInformationAccess([x509.AccessDescription(
            AuthorityInformationAccessOID.CA_ISSUERS, x509.UniformResourceIdentifier(issuer_url))]),
            critical=False)
    return builder.sign(issuer_key, hashes.SHA256())


def _pem(*items):
    out = b""
    for item in items:
        if isinstance(item, x509.Certificate):
            out += item.public_bytes(serialization.Encoding.PEM)
        else:
            out += item.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                      serialization.NoEncryption())
    return out


def make(folder, issuer_url):
    """Writes root.pem (the trusted test root) and one file per server (its certificate, what
    it sends along, its key) into folder; returns {case: path}. issuer_url is where the
    certificate whose issuer is missing says its issuer can be fetched."""
    root_key, unknown_key, intermediate_key, server_key = _key(), _key(), _key(), _key()
    root = _certificate("Trebanix Test Root", root_key, "Trebanix Test Root", root_key, ca=True)
    unknown = _certificate("Unknown Test Root", unknown_key, "Unknown Test Root", unknown_key, ca=True)
    intermediate = _certificate("Trebanix Test Intermediate", intermediate_key, "Trebanix Test Root",
                                root_key, ca=True)
    localhost = [x509.DNSName("localhost")]

    def signed(by=root, by_key=root_key, subject="localhost", names=localhost, **more):
        return _certificate(subject, server_key, by.subject.get_attributes_for_oid(
            NameOID.COMMON_NAME)[0].value, by_key, names=names, **more)

    long_ago = datetime.datetime(2020, 1, 1, tzinfo=datetime.timezone.utc)
    files = {
        "root": _pem(root),
        # Trusted for "localhost", sent with its root.
        "secure": _pem(signed(), root, server_key),
        # From a root nobody trusts, which it does not send.
        "untrusted": _pem(signed(by=unknown, by_key=unknown_key), server_key),
        # From the trusted root, but no longer valid.
        "expired": _pem(signed(not_before=long_ago, not_after=long_ago + 365 * DAY), root, server_key),
        # Its own issuer.
        "selfsigned": _pem(_certificate("localhost", server_key, "localhost", server_key, names=localhost),
                           server_key),
        # For the address 127.0.0.1 as an address, not as a name.
        "address": _pem(signed(subject="Trebanix Test Address",
                               names=[x509.IPAddress(ipaddress.ip_address("127.0.0.1"))]), root, server_key),
        # From an issuer it does not send, which it says is to be fetched from issuer_url.
        "fetching": _pem(signed(by=intermediate, by_key=intermediate_key, issuer_url=issuer_url), server_key),
    }
    paths = {}
    for case, data in files.items():
        paths[case] = os.path.join(folder, case + ".pem")
        with open(paths[case], "wb") as f:
            f.write(data)
    return paths

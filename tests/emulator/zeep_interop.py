# A standard SOAP client (zeep) against the emulator: every WSDL document loads, and calls with
# texts and a byte array go through. Arguments: proxy port, service domain, demo name, demo password.
import hashlib
import sys

from requests import Session
from zeep import Client
from zeep.transports import Transport

port, domain, name, password = sys.argv[1:5]
session = Session()
session.proxies = {"http": "http://127.0.0.1:%s" % port}
transport = Transport(session=session)

def client(host, endpoint):
    return Client("http://%s.%s/services/%s.asmx?WSDL" % (host, domain, endpoint), transport=transport)

expected = {
    "webser001": ["EditPsw", "LoginSoftV2"],
    "regser001": ["Register"],
    "wwwser001": ["RegDomainNameV2", "TestDomain"],
    "wwwser002": ["UploadWebsite2"],
    "wwwser003": ["WebsiteEncryption", "WebsiteEncryptionInfo", "WebsiteNotEncryption"],
    "imgser001": ["BuildAlbumDir", "DelDir", "DelFile", "GetDirFileInfo", "GetDirInfo", "SetHomeAlbum",
                  "UploadFile01", "UploadFile02"],
    "webser002": ["DelBlog", "DelTBlog", "EditBlog", "EditPicMemo", "GetBlog", "GetBlogList", "GetTBlogList",
                  "UploadBlog", "UploadTBlog"],
}
for endpoint, operations in expected.items():
    found = sorted(client("www1", endpoint).service._binding._operations.keys())
    assert found == operations, (endpoint, found)

digest = hashlib.md5(password.encode()).hexdigest()
left, right = digest[:16], digest[16:]
b = hashlib.md5((left[1:4] + right[14]).encode()).hexdigest()
token = b[:3] + right + left + b[-2:]
reply = client("web1", "webser001").service.LoginSoftV2(name, token, "127.0.0.1", "mc", "2.0")
assert reply.startswith("__Login__OK__"), reply[:60]
reply = client("img1", "imgser001").service.UploadFile01(name, digest, "www1", "根目录", "0", "www", ".gif", "图", b"GIF89a\x00")
assert reply.startswith("OK_0001_"), reply
print("ok")

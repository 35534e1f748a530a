// Adds a certificate (DER or PEM file) to the machine's trusted roots of the Wine prefix, so
// that the system's HTTPS clients accept the demo's and the tests' self-signed servers.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    fwprintf(stderr, L"usage: TrustCertificate <certificate.pem|.der>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.empty()) {
    fwprintf(stderr, L"cannot read %ls\n", argv[1]);
    return 1;
  }
  std::vector<BYTE> der(text.begin(), text.end());
  if (text.find("-----BEGIN") != std::string::npos) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64HEADER,
                              nullptr, &size, nullptr, nullptr)) {
      fwprintf(stderr, L"not a PEM certificate: %ls\n", argv[1]);
      return 1;
    }
    der.resize(size);
    CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64HEADER,
                         der.data(), &size, nullptr, nullptr);
  }
  HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                                   CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  if (!store) {
    fwprintf(stderr, L"cannot open the root store (%lu)\n", GetLastError());
    return 1;
  }
  const BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(),
                                                      static_cast<DWORD>(der.size()),
                                                      CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
  const DWORD error = GetLastError();
  CertCloseStore(store, 0);
  if (!added) {
    fwprintf(stderr, L"cannot add the certificate (0x%08lX)\n", error);
    return 1;
  }
  return 0;
}

// keylock: makes a registry key of the current user unwritable, or writable
// again. Locking puts an entry first in the key's access list that denies
// everyone setting values and creating subkeys; reading it and deleting it
// stay allowed. Unlocking takes that entry out again.
//   keylock lock|unlock KEY      KEY is a path under HKEY_CURRENT_USER
// Exit 0 on success; 1 on failure; 3 when the key was locked but the system
// still lets this process open it for writing (it does not enforce the
// lock); 2 on bad usage. Reasons go to stderr.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kDenied = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

int Fail(const wchar_t* what, LONG code) {
    std::fwprintf(stderr, L"keylock: %ls failed (system error %ld)\n", what, code);
    return 1;
}

class Everyone {
public:
    Everyone() {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid_);
    }
    ~Everyone() {
        if (sid_) FreeSid(sid_);
    }
    Everyone(const Everyone&) = delete;
    Everyone& operator=(const Everyone&) = delete;
    PSID get() const { return sid_; }

private:
    PSID sid_ = nullptr;
};

// The entry that locking adds.
bool IsLockEntry(void* ace, PSID everyone) {
    auto* header = static_cast<ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_DENIED_ACE_TYPE) return false;
    auto* denied = static_cast<ACCESS_DENIED_ACE*>(ace);
    return denied->Mask == kDenied && EqualSid(&denied->SidStart, everyone);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (std::wcscmp(argv[1], L"lock") != 0 && std::wcscmp(argv[1], L"unlock") != 0)) {
        std::fwprintf(stderr, L"usage: keylock lock|unlock KEY   (KEY under HKEY_CURRENT_USER)\n");
        return 2;
    }
    bool lock = std::wcscmp(argv[1], L"lock") == 0;
    const wchar_t* path = argv[2];

    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, READ_CONTROL | WRITE_DAC, &key);
    if (rc != ERROR_SUCCESS) return Fail(L"opening the key", rc);

    DWORD size = 0;
    rc = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    if (rc != ERROR_INSUFFICIENT_BUFFER && rc != ERROR_SUCCESS) return Fail(L"reading the key's security", rc);
    std::vector<BYTE> old(size ? size : sizeof(SECURITY_DESCRIPTOR));
    rc = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, old.data(), &size);
    if (rc != ERROR_SUCCESS) return Fail(L"reading the key's security", rc);
    BOOL present = FALSE, defaulted = FALSE;
    PACL oldAcl = nullptr;
    if (!GetSecurityDescriptorDacl(old.data(), &present, &oldAcl, &defaulted)) oldAcl = nullptr;
    if (!present) oldAcl = nullptr;

    Everyone everyone;
    if (!everyone.get()) return Fail(L"making the SID of everyone", static_cast<LONG>(GetLastError()));
    DWORD sidLength = GetLengthSid(everyone.get());
    DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_DENIED_ACE) + sizeof(ACCESS_ALLOWED_ACE) + 2 * sidLength +
                    (oldAcl ? oldAcl->AclSize : 0);
    std::vector<BYTE> buffer(aclSize);
    auto* acl = reinterpret_cast<PACL>(buffer.data());
    DWORD revision = oldAcl ? oldAcl->AclRevision : ACL_REVISION;
    if (!InitializeAcl(acl, aclSize, revision))
        return Fail(L"making the access list", static_cast<LONG>(GetLastError()));
    if (lock && !AddAccessDeniedAce(acl, revision, kDenied, everyone.get()))
        return Fail(L"adding the denial", static_cast<LONG>(GetLastError()));
    if (oldAcl) {
        for (DWORD i = 0; i < oldAcl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(oldAcl, i, &ace) || IsLockEntry(ace, everyone.get())) continue;
            if (!AddAce(acl, revision, MAXDWORD, ace, static_cast<ACE_HEADER*>(ace)->AceSize))
                return Fail(L"copying the access list", static_cast<LONG>(GetLastError()));
        }
    } else if (!AddAccessAllowedAce(acl, revision, KEY_ALL_ACCESS, everyone.get())) {
        // Without an access list everyone had every right: kept beside the denial.
        return Fail(L"adding the old rights", static_cast<LONG>(GetLastError()));
    }

    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return Fail(L"setting the key's security", rc);

    if (lock) {
        HKEY probe = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &probe) == ERROR_SUCCESS) {
            RegCloseKey(probe);
            std::fwprintf(stderr, L"keylock: the key is locked, but the system still opens it for writing\n");
            return 3;
        }
    }
    return 0;
}

#include "platform/win32/Win32FileSecurity.h"

#include <windows.h>

#include <aclapi.h>
#include <lm.h>
#include <sddl.h>

#include <memory>
#include <vector>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {

constexpr const wchar_t* AdministratorsSid = L"S-1-5-32-544";

// Memory that the system hands out to be freed with LocalFree.
struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T> using LocalMemory = std::unique_ptr<T, LocalFreer>;

std::string SidText(PSID sid) {
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return {};
    const LocalMemory<wchar_t> owned(text);
    return Utf8Shown(text);
}

// A SID of its text, freed with LocalFree.
LocalMemory<void> SidOf(const std::string& text) {
    PSID sid = nullptr;
    if (!ConvertStringSidToSidW(Wide(text).c_str(), &sid)) return nullptr;
    return LocalMemory<void>(sid);
}

// The groups of this process's token, deny-only ones included: a member of Administrators whose
// token User Account Control filtered is a member all the same.
bool TokenHasAdministrators() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const Win32Handle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return false;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (SidText(groups->Groups[i].Sid) == "S-1-5-32-544") return true;
    }
    return false;
}

// Another account: the local groups it belongs to, directly or through other groups.
bool AccountInAdministrators(const std::string& sid) {
    const LocalMemory<void> account = SidOf(sid);
    if (!account) return false;
    wchar_t name[256] = {}, domain[256] = {};
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, account.get(), name, &nameSize, domain, &domainSize, &use) || use != SidTypeUser) {
        return false;
    }
    const std::wstring qualified = domainSize > 0 ? std::wstring(domain) + L"\\" + name : std::wstring(name);
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0;
    if (NetUserGetLocalGroups(nullptr, qualified.c_str(), 0, LG_INCLUDE_INDIRECT, &buffer, MAX_PREFERRED_LENGTH, &read,
                              &total) != NERR_Success) {
        if (buffer != nullptr) NetApiBufferFree(buffer);
        return false;
    }
    bool member = false;
    const auto* groups = reinterpret_cast<const LOCALGROUP_USERS_INFO_0*>(buffer);
    for (DWORD i = 0; i < read && !member; ++i) {
        BYTE groupSid[SECURITY_MAX_SID_SIZE] = {};
        DWORD sidSize = sizeof groupSid;
        wchar_t groupDomain[256] = {};
        DWORD groupDomainSize = 256;
        SID_NAME_USE groupUse{};
        member = LookupAccountNameW(nullptr, groups[i].lgrui0_name, groupSid, &sidSize, groupDomain, &groupDomainSize,
                                    &groupUse) &&
                 SidText(groupSid) == "S-1-5-32-544";
    }
    NetApiBufferFree(buffer);
    return member;
}

} // namespace

std::optional<std::string> Win32FileSecurity::Descriptor(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    constexpr SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    if (GetNamedSecurityInfoW(Wide(path).c_str(), SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr, &descriptor) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const LocalMemory<void> owned(descriptor);
    LPWSTR text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts, &text, nullptr)) {
        return std::nullopt;
    }
    const LocalMemory<wchar_t> ownedText(text);
    return Utf8Shown(text);
}

std::string Win32FileSecurity::CurrentUser() {
    if (!CurrentUser_) {
        CurrentUser_ = std::string();
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            const Win32Handle owned(token);
            DWORD size = 0;
            GetTokenInformation(token, TokenUser, nullptr, 0, &size);
            std::vector<unsigned char> buffer(size);
            if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
                CurrentUser_ = SidText(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid);
            }
        }
        CurrentUserIsAdministrator_ = TokenHasAdministrators();
    }
    return *CurrentUser_;
}

bool Win32FileSecurity::IsAdministrator(const std::string& sid) {
    if (sid == Utf8Shown(AdministratorsSid)) return true;
    if (sid == CurrentUser()) return CurrentUserIsAdministrator_;
    const auto known = Administrators_.find(sid);
    if (known != Administrators_.end()) return known->second;
    return Administrators_[sid] = AccountInAdministrators(sid);
}

std::string Win32FileSecurity::AccountName(const std::string& sid) {
    const LocalMemory<void> account = SidOf(sid);
    wchar_t name[256] = {}, domain[256] = {};
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use{};
    if (!account || !LookupAccountSidW(nullptr, account.get(), name, &nameSize, domain, &domainSize, &use)) return sid;
    return domainSize > 0 ? Utf8Shown(domain) + "\\" + Utf8Shown(name) : Utf8Shown(name);
}

} // namespace corvane::platform::win32

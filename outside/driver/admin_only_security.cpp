#include "outside/driver/admin_only_security.h"

namespace corvane::driver {
namespace {

constexpr ULONG kLocalSystemRid = 18;            // S-1-5-18
constexpr ULONG kBuiltinDomainRid = 32;          // S-1-5-32-544
constexpr ULONG kAdministratorsRid = 544;

// A SID of the NT authority with up to two sub-authorities, laid out in place.
struct NtAuthoritySid {
  alignas(ULONG) UCHAR bytes[sizeof(SID) + sizeof(ULONG)];

  NtAuthoritySid(ULONG first, ULONG second, UCHAR count) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    RtlInitializeSid(Sid(), &nt, count);
    *RtlSubAuthoritySid(Sid(), 0) = first;
    if (count > 1) *RtlSubAuthoritySid(Sid(), 1) = second;
  }
  PSID Sid() { return bytes; }
};

// The ACL with its two ACEs; the size a two-ACE ACL needs at most.
constexpr ULONG kAclSize = sizeof(ACL) + 2 * (sizeof(ACCESS_ALLOWED_ACE) + sizeof(SID) + sizeof(ULONG));

}  // namespace

NTSTATUS RestrictToAdministrators(PDEVICE_OBJECT device) {
  NtAuthoritySid system(kLocalSystemRid, 0, 1);
  NtAuthoritySid administrators(kBuiltinDomainRid, kAdministratorsRid, 2);
  alignas(ULONG) UCHAR aclBytes[kAclSize];
  PACL acl = reinterpret_cast<PACL>(aclBytes);

  NTSTATUS status = RtlCreateAcl(acl, kAclSize, ACL_REVISION);
  if (NT_SUCCESS(status)) status = RtlAddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, system.Sid());
  if (NT_SUCCESS(status)) status = RtlAddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, administrators.Sid());
  SECURITY_DESCRIPTOR descriptor;
  if (NT_SUCCESS(status)) status = RtlCreateSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  if (NT_SUCCESS(status)) status = RtlSetDaclSecurityDescriptor(&descriptor, TRUE, acl, FALSE);
  if (!NT_SUCCESS(status)) return status;

  HANDLE handle = nullptr;
  status = ObOpenObjectByPointer(device, OBJ_KERNEL_HANDLE, nullptr, WRITE_DAC, nullptr, KernelMode, &handle);
  if (!NT_SUCCESS(status)) return status;
  status = ZwSetSecurityObject(handle, DACL_SECURITY_INFORMATION, &descriptor);
  ZwClose(handle);
  return status;
}

}  // namespace corvane::driver

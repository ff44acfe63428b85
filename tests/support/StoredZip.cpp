#include "support/StoredZip.h"

#include <array>

namespace {

constexpr uint32_t kMadeByDos = 20;                 // zip 2.0
constexpr uint32_t kMadeByUnix = (3 << 8) | 20;     // host 3 is unix
constexpr uint32_t kDosFolderAttribute = 0x10;
constexpr uint32_t kUtf8NameFlag = 1 << 11;
constexpr uint32_t kZip64Mark = 0xFFFFFFFF;  // the size stands in the zip64 extra field
constexpr uint32_t kZip64ExtraId = 1;

uint32_t Crc32(const QByteArray& bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) crc = table[(crc ^ uint8_t(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void Put16(QByteArray& out, uint32_t v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void Put64(QByteArray& out, uint64_t v) {
    Put32(out, uint32_t(v));
    Put32(out, uint32_t(v >> 32));
}

int64_t DeclaredSize(const ZipMember& member) {
    return member.declaredSize >= 0 ? member.declaredSize : member.data.size();
}

bool IsZip64(const ZipMember& member) { return DeclaredSize(member) >= kZip64Mark; }

// Both sizes, where they do not fit their fields; the same in the local
// header and the central directory, as both mark both sizes.
QByteArray Zip64Extra(const ZipMember& member) {
    QByteArray extra;
    if (!IsZip64(member)) return extra;
    Put16(extra, kZip64ExtraId);
    Put16(extra, 16);
    Put64(extra, uint64_t(DeclaredSize(member)));
    Put64(extra, uint64_t(member.data.size()));
    return extra;
}

// The fields that the local header and the central directory share; a
// stored member's compressed size is the bytes it holds.
void PutCommon(QByteArray& out, const ZipMember& member) {
    const bool zip64 = IsZip64(member);
    Put16(out, zip64 ? 45 : 10);  // version needed
    Put16(out, member.utf8Name ? kUtf8NameFlag : 0);
    Put16(out, 0);   // stored
    Put16(out, 0);   // time
    Put16(out, 0x21);  // date: 1980-01-01
    Put32(out, Crc32(member.data));
    Put32(out, zip64 ? kZip64Mark : uint32_t(member.data.size()));
    Put32(out, zip64 ? kZip64Mark : uint32_t(DeclaredSize(member)));
    Put16(out, uint32_t(member.name.size()));
    Put16(out, uint32_t(Zip64Extra(member).size()));
}

uint32_t ExternalAttributes(const ZipMember& member) {
    const bool folder = member.name.endsWith('/') || (member.unixMode & 0170000) == 040000;
    return (member.unixMode << 16) | (folder ? kDosFolderAttribute : 0);
}

}  // namespace

QByteArray StoredZipOf(const QList<ZipMember>& members) {
    QByteArray out;
    QByteArray central;
    for (const ZipMember& member : members) {
        const uint32_t offset = uint32_t(out.size());
        Put32(out, 0x04034b50);
        PutCommon(out, member);
        out.append(member.name);
        out.append(Zip64Extra(member));
        out.append(member.data);

        Put32(central, 0x02014b50);
        Put16(central, member.unixMode != 0 ? kMadeByUnix : kMadeByDos);
        PutCommon(central, member);
        Put16(central, 0);  // comment
        Put16(central, 0);  // disk
        Put16(central, 0);  // internal attributes
        Put32(central, ExternalAttributes(member));
        Put32(central, offset);
        central.append(member.name);
        central.append(Zip64Extra(member));
    }
    const uint32_t centralOffset = uint32_t(out.size());
    out.append(central);
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(members.size()));
    Put16(out, uint32_t(members.size()));
    Put32(out, uint32_t(central.size()));
    Put32(out, centralOffset);
    Put16(out, 0);
    return out;
}

QByteArray StoredZip(const QList<QPair<QByteArray, QByteArray>>& members) {
    QList<ZipMember> files;
    for (const auto& [name, data] : members) files.append({name, data});
    return StoredZipOf(files);
}

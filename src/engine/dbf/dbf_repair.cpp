#include "engine/dbf/dbf_repair.h"

#include "engine/core/error.h"
#include "engine/dbf/dbf_header.h"
#include "engine/storage/session.h"

namespace trevo::engine {

namespace {

struct Plan {
    uint32_t count = 0;
    uint16_t recordLength = 0;
    uint64_t newSize = 0; // the file's size after the repair
    std::vector<std::string> changes;
};

Plan planRepair(const DbfHeader& h, uint64_t size, const uint8_t* data)
{
    Plan p;
    p.count = h.fileRecords;
    p.recordLength = h.recordLength;
    p.newSize = size;
    if (h.recordLength != h.headerRecordLength)
        p.changes.push_back("Satzlänge im Kopf von " + std::to_string(h.headerRecordLength) + " auf " +
                            std::to_string(h.recordLength) + " Bytes gesetzt");
    if (h.fileRecords != h.recordCount)
        p.changes.push_back("Anzahl der Datensätze im Kopf von " + std::to_string(h.recordCount) + " auf " +
                            std::to_string(h.fileRecords) + " gesetzt");
    const uint64_t end = h.headerLength + static_cast<uint64_t>(p.count) * h.recordLength;
    if (end == size) {
        p.newSize = end + 1;
        p.changes.push_back("Endmarke 0x1A nach dem letzten Datensatz ergänzt");
    } else if (data[end] != 0x1A) {
        // Less than one record follows: the rest of a record that was cut short.
        p.newSize = end + 1;
        p.changes.push_back("unvollständigen Rest von " + std::to_string(size - end) +
                            " Bytes hinter dem letzten Datensatz durch die Endmarke 0x1A ersetzt");
    }
    return p;
}

std::string freeBackupName(FileSystem& fs, const std::string& path)
{
    std::string name = path + ".bak";
    for (int n = 2; fs.exists(name); ++n) name = path + ".bak" + std::to_string(n);
    return name;
}

void writeBackup(FileSystem& fs, const std::string& name, const FileImage& image)
{
    auto f = fs.open(name, OpenMode::Create);
    f->write(0, image.data(), image.size());
    f->sync();
    fs.syncDirectory(directoryOf(name));
}

} // namespace

DbfRepair repairDbfHeader(Storage& storage, const std::string& path)
{
    auto image = storage.open(path);
    const std::string fileName = fileNameOf(image->path());
    std::vector<DbfFault> faults;
    const DbfHeader h = parseDbfHeader(image->data(), image->size(), fileName, faults);
    if (h.recordLength != h.fieldsLength)
        throw FormatError("Die Datei '" + fileName + "' kann nicht repariert werden: die Satzlänge " +
                          std::to_string(h.headerRecordLength) + " im Kopf passt nicht zu den Feldern (" +
                          std::to_string(h.fieldsLength) +
                          " Bytes), und die Größe der Datei zeigt nicht, welche Länge stimmt");
    const Plan plan = planRepair(h, image->size(), image->data());
    DbfRepair result;
    if (plan.changes.empty()) return result;
    if (image->readOnly())
        throw EngineError("Die Datei '" + fileName + "' ist schreibgeschützt und kann nicht repariert werden");
    result.backupPath = freeBackupName(storage.fs(), image->path());
    writeBackup(storage.fs(), result.backupPath, *image);
    Session session(storage, "Reparatur");
    session.atomically([&] {
        uint8_t b[4];
        writeU32(b, plan.count);
        image->write(4, b, 4);
        writeU16(b, plan.recordLength);
        image->write(10, b, 2);
        if (plan.newSize != image->size()) {
            image->resize(plan.newSize - 1);
            const uint8_t eof = 0x1A;
            image->write(plan.newSize - 1, &eof, 1);
        }
    });
    result.changes = plan.changes;
    return result;
}

} // namespace trevo::engine

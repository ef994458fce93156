// The database lists and the cross-reference part.
#include "doc/CrossReference.h"
#include "doc/DocumentParts.h"
#include "library/ProjectLists.h"

#include <array>
#include <utility>

namespace z7 {

namespace {

const char* headingOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Float: return "FLOATING POINT DATABASE...";
    case DatabaseKind::Integer: return "INTEGER DATABASE...";
    case DatabaseKind::Status: return "STATUS DATABASE...";
    case DatabaseKind::String: return "STRING DATABASE...";
    case DatabaseKind::Rx: return "RX ARRAY DATABASE...";
    case DatabaseKind::Tx: break;
    }
    return "";
}

// The sorted lists of the given kinds that are shown: those with at least two names.
std::vector<std::pair<DatabaseKind, std::vector<std::string>>> shownLists(const DocumentContext& doc,
                                                                          std::initializer_list<DatabaseKind> kinds) {
    const ProjectLists lists = rebuildProjectLists(doc.project, doc.library);
    std::vector<std::pair<DatabaseKind, std::vector<std::string>>> shown;
    for (DatabaseKind kind : kinds)
        if (lists.namesOf(kind).size() >= 2) shown.emplace_back(kind, lists.sortedNames(kind));
    return shown;
}

}  // namespace

void appendDatabaseLists(DocumentContext& doc) {
    doc.output.push_back("DATABASES...");
    for (const auto& [kind, names] :
         shownLists(doc, {DatabaseKind::Float, DatabaseKind::Integer, DatabaseKind::Status, DatabaseKind::String})) {
        doc.output.push_back(" ");
        doc.output.push_back(headingOf(kind));
        for (const std::string& name : names) doc.output.push_back("   " + name);
    }
}

void appendCrossReferencePart(DocumentContext& doc, const std::function<void(int)>& gauge) {
    doc.output.push_back("CROSS REFERENCE LISTS...");
    const auto lists = shownLists(
        doc, {DatabaseKind::Float, DatabaseKind::Integer, DatabaseKind::Status, DatabaseKind::String, DatabaseKind::Rx});
    std::size_t total = 0;
    for (const auto& list : lists) total += list.second.size();
    const CrossReferenceIndex index(doc.project, doc.library);
    std::size_t done = 0;
    int shownGauge = 50;
    for (const auto& [kind, names] : lists) {
        doc.output.push_back(" ");
        doc.output.push_back(headingOf(kind));
        for (const std::string& name : names) {
            doc.output.push_back("   " + name);
            index.append(name, doc.output);
            const int value = 50 + static_cast<int>(50 * ++done / total);
            if (value != shownGauge && gauge) gauge(shownGauge = value);
        }
    }
}

}  // namespace z7

#pragma once
// A small library and project shared by the documentation tests.
#include "app/Project.h"
#include "library/ModuleLibrary.h"

#include <string>
#include <vector>

namespace z7::test {

inline ModuleLibrary docLibrary() {
    ModuleLibrary library;
    std::vector<std::string> messages;
    library.loadFromLines(
        {"1|1|Analog input 4-20|Reads one channel|FIIS.Channel.Ch|FIIS.Card.Cd|FIIS.Cage.Cg|FCSS.Zero.Z|FCSS.Span.S|FOSS.Level.Lvl|\\",
         "2|1|Digital input DC|Reads one channel|IIIS.Channel.Ch|IIIS.Card.Cd|IIIS.Cage.Cg|DOSS.State.St|\\",
         "8|1|Local system|Site settings|SISS.Site name.Site|IISS.Unit address.Addr|IISS.Baud rate.Baud|\\",
         "53|1|Global system|Network settings|SISS.Network.Net|IISS.Master.Mst|IISS.Poll time.Poll|\\",
         "154|1|PulseDurationIn|Times one channel|IIIS.Channel.Ch|IIIS.Card.Cd|IIIS.Cage.Cg|FOSS.On time.On|\\",
         "30|3|Pump control|Runs a pump|DISS.Run command.Run|FISS.Speed.Spd|DOSS.Running.On|FOSS.Hours.Hrs|\\",
         "31|2|Adder|Adds|FISS.Input A.A|FISS.Input B.B|FOSS.Sum.Sum|\\"},
        messages);
    return library;
}

inline Jobrecord docInstance(int definition, int category, const std::string& name, std::vector<std::string> bindings) {
    Jobrecord instance;
    instance.definitionNumber = definition;
    instance.category = category;
    instance.name = name;
    for (std::size_t i = 0; i < bindings.size(); ++i) instance.bindings[i + 1] = bindings[i];
    return instance;
}

inline TelemetryRow tlmRow(std::string port, std::string source, std::string dest, std::string word, std::string bit,
                           std::string name, std::string mult, std::string type) {
    return {port, source, dest, word, bit, name, mult, type, "", ""};
}

}  // namespace z7::test

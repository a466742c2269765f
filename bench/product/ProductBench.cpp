// product_bench: how the product's cost grows with the entries waiting for
// their sent copies. LorvaneOL.so is loaded into the simulated Outlook by the
// host driver, as Outlook loads it, with 10, 1,000 and 10,000 pending entries
// taken up from the pending-actions file, all naming one filing folder or all
// naming Sent Items; it times one send from the compose ribbon (the entry
// recorded, the message sent, its copy found and given its categories) and
// Outlook's start plus quit with the add-in (also with entries that all name
// a folder the user has deleted meanwhile). Each figure is the median of a
// few runs; the closing table gives the ratios of neighbouring sizes (linear
// growth is a ratio near 100 from 10 to 1,000 and near 10 from 1,000 to
// 10,000).
//
//   product_bench [SIZE ...]     (default 10 1000 10000)
#include "tests/support/HostedOutlook.h"
#include "tests/support/ProductFiles.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string ProgId = "LorvaneOL.coLorvaneOL";
const std::u16string ComposeRibbon = u"Microsoft.Outlook.Mail.Compose";
// "Send + File to Default Folder" and "Send + Add to Tasks" of the compose tab.
const std::string FileToDefaultFolderButton = "adxRibbonButtonB2B17C70373E4A859DF661D823CD3674";
const std::string AddToTasksButton = "adxRibbonButton6BD1C6E46865469CB47C458891E42B36";

// Runs of each figure (its median is given) and sends timed per run.
constexpr int Runs = 7;
constexpr int SendsPerRun = 11;

// Where the pending entries send their copies.
enum class Target { FilingFolder, SentItems, DeletedFolder };

const char* TargetName(Target target) {
    switch (target) {
    case Target::FilingFolder:
        return "filing folder";
    case Target::SentItems:
        return "Sent Items";
    default:
        return "deleted folder";
    }
}

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "product_bench: %s\n", why.c_str());
    std::exit(1);
}

// Outlook with LorvaneOL.so (beside this program) installed, configured
// with Archive\Projects as the default filing folder and "Maintain
// Categories" on.
class Machine : public HostedOutlook {
public:
    Machine() {
        try {
            MakeOutlook(
                (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "LorvaneOL.so")
                    .string());
        } catch (const Exception& e) {
            Fail(e.Message);
        }
        ProductSettings settings;
        settings.FolderPath = "Archive\\Projects";
        settings.StoreName = "Archive";
        settings.StoreId = text::Narrow(projects->StoreId());
        WriteProductConfig(settings);
    }

    // The pending-actions file of the last session: count entries, each
    // keyed by a conversation index that no message of the run has.
    void WritePendingFile(int count, Target target) {
        const std::string store = "%StoreId%" + text::Narrow(projects->StoreId());
        const std::string folder = target == Target::FilingFolder ? store + "%FolderName%Projects"
                                   : target == Target::DeletedFolder ? store + "%FolderName%Gone"
                                                                     : "";
        std::vector<std::string> entries;
        char key[64];
        for (int i = 0; i < count; ++i) {
            std::snprintf(key, sizeof key, "01DA%040X", i);
            entries.push_back(key + ("=Red" + folder));
        }
        WritePendingActionsFile(entries);
    }
    // Outlook starts with the add-in.
    void Start() {
        if (!HostedOutlook::Start(ProgId))
            Fail("the add-in did not connect");
    }
    // The user quits Outlook.
    void Quit() {
        std::vector<std::string> failures = HostedOutlook::Quit();
        if (!failures.empty())
            Fail(failures.front());
        driver.reset();
    }
    // The user writes a message with a category in a window of its own.
    ComPtr<sim::SimInspector> Compose(int number) {
        sim::ItemData data;
        data.To = u"ann@example.com";
        data.Subject = u"Message " + text::Wide(std::to_string(number));
        data.Body = u"Hello Ann,\r\nsee you.\r\n";
        data.Categories = u"Blue";
        return HostedOutlook::Compose(data);
    }
    // Clicks a button of the compose tab in the window in front.
    void Click(const std::string& id) {
        if (!HostedOutlook::Click(ProgId, ComposeRibbon, id))
            Fail("no compose ribbon");
    }
    // Whether the copy that arrived last in folder got its categories.
    static bool LastCopyTagged(sim::SimFolder& folder) {
        size_t count = folder.Items().Count();
        return count && folder.Items().At(count - 1).Stored().Categories == u"Blue";
    }
};

// One send from the compose ribbon with count entries waiting, in ms.
double TimeSend(int count, Target target) {
    Machine machine;
    machine.WritePendingFile(count, target);
    machine.Start();
    sim::SimFolder& arrival =
        target == Target::FilingFolder ? *machine.projects : *machine.sentItems;
    std::vector<double> sends;
    for (int i = 0; i < SendsPerRun; ++i) {
        ComPtr<sim::SimInspector> window = machine.Compose(i);
        Clock::time_point start = Clock::now();
        machine.Click(target == Target::FilingFolder ? FileToDefaultFolderButton
                                                     : AddToTasksButton);
        sends.push_back(MillisecondsSince(start));
        if (!Machine::LastCopyTagged(arrival))
            Fail("the sent copy did not get its categories");
    }
    machine.Quit();
    return Median(sends);
}

// Outlook's start plus quit with count entries in the pending file, in ms:
// on a new machine each time when firstStart (the add-in's first start
// writes its start mode), else on one machine after a first start.
double TimeStartQuit(int count, Target target, bool firstStart) {
    std::unique_ptr<Machine> machine;
    if (!firstStart) {
        machine = std::make_unique<Machine>();
        machine->Start();
        machine->Quit();
    }
    std::vector<double> runs;
    for (int i = 0; i < Runs; ++i) {
        if (firstStart)
            machine = std::make_unique<Machine>();
        machine->WritePendingFile(count, target);
        Clock::time_point start = Clock::now();
        machine->Start();
        machine->Quit();
        runs.push_back(MillisecondsSince(start));
        if (firstStart)
            machine.reset();
    }
    return Median(runs);
}

struct Row {
    std::string name;
    std::map<int, double> ms;
};

void PrintRow(const Row& row, const std::vector<int>& sizes) {
    std::printf("%-34s", row.name.c_str());
    for (int size : sizes)
        std::printf(" %12.3f", row.ms.at(size));
    for (size_t i = 1; i < sizes.size(); ++i) {
        double before = row.ms.at(sizes[i - 1]);
        std::printf(" %12.1f", before > 0 ? row.ms.at(sizes[i]) / before : 0.0);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {10, 1000, 10000};
    std::vector<Row> rows;
    for (Target target : {Target::FilingFolder, Target::SentItems}) {
        Row send{std::string("send, ") + TargetName(target), {}};
        Row startQuit{std::string("start+quit, ") + TargetName(target), {}};
        Row firstStart{std::string("first start+quit, ") + TargetName(target), {}};
        for (int size : sizes) {
            send.ms[size] = TimeSend(size, target);
            startQuit.ms[size] = TimeStartQuit(size, target, false);
            firstStart.ms[size] = TimeStartQuit(size, target, true);
        }
        rows.push_back(send);
        rows.push_back(startQuit);
        rows.push_back(firstStart);
    }
    // Entries whose folder is gone are dropped at start-up: no send finds them.
    Row deleted{std::string("start+quit, ") + TargetName(Target::DeletedFolder), {}};
    for (int size : sizes)
        deleted.ms[size] = TimeStartQuit(size, Target::DeletedFolder, false);
    rows.push_back(deleted);
    std::printf("%-34s", "milliseconds (median) at entries:");
    for (int size : sizes)
        std::printf(" %12d", size);
    for (size_t i = 1; i < sizes.size(); ++i)
        std::printf(" %12s",
                    (std::to_string(sizes[i]) + "/" + std::to_string(sizes[i - 1])).c_str());
    std::printf("\n");
    for (const Row& row : rows)
        PrintRow(row, sizes);
    return 0;
}

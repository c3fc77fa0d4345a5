// `make bench`: start-up time, idle memory and notice latency of SonvaroSet.exe beside a plain dialog of
// the same size, in one run under Wine. Prints a table and writes the figures as JSON.
//   bench.exe OUT.json [starts] [notices]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/common/registry.h"
#include "tests/common/section.h"
#include "tests/e2e/driver.h"

namespace {

double nowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Stats {
    double median = 0, low = 0, high = 0, q1 = 0, q3 = 0;
};

Stats stats(std::vector<double> values) {
    Stats s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    auto at = [&](double q) { return values[static_cast<size_t>(q * (values.size() - 1) + 0.5)]; };
    s.median = at(0.5);
    s.q1 = at(0.25);
    s.q3 = at(0.75);
    s.low = values.front();
    s.high = values.back();
    return s;
}

struct Start {
    double ms;
    double workingSetKiB;
    double privateKiB;
};

// From CreateProcess to the dialog shown with its thread waiting for input; then the idle memory.
std::optional<Start> startOnce(const std::wstring& exe) {
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::wstring folder = exe.substr(0, exe.rfind(L'\\'));
    const double begin = nowMs();
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    WaitForInputIdle(process.hProcess, kWaitMs);
    HWND dialog = nullptr;
    while (!dialog && nowMs() - begin < kWaitMs) {
        for (HWND window : dialogWindows(process.dwProcessId)) dialog = window;
        if (!dialog) Sleep(1);
    }
    const double shown = nowMs() - begin;
    std::optional<Start> result;
    if (dialog) {
        Sleep(800);  // idle
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory);
        // Wine reports private bytes as 0; the page-file usage is the same figure there.
        const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        result = Start{shown, memory.WorkingSetSize / 1024.0, privateBytes / 1024.0};
        SendNotifyMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return result;
}

// From the user's OK on "Setting completed" to the record in the section. The answer comes at a random
// moment, as a person's would, so that a notifier that only polled would show its period.
std::vector<double> noticeLatencies(int count) {
    SavedSettings saved;
    store(L"keySet", L"MWSBNM");
    SharedSection section;
    Program program;
    std::vector<double> latencies;
    std::mt19937 random(20261206);
    for (int i = 0; i < count && program.dialog(); ++i) {
        section.clear();
        program.select(IDC_KEYBOARD_INPUT_KEY, i % 12);  // keyboard input F1..F12: never the search key's row
        program.sync();
        DWORD processId = 0;
        GetWindowThreadProcessId(program.dialog(), &processId);
        HWND box = nullptr;
        for (int wait = 0; wait < 300 && !box; ++wait, Sleep(10)) {
            for (HWND window : dialogWindows(processId)) box = window != program.dialog() ? window : box;
        }
        if (!box) break;
        Sleep(random() % 500);
        const double confirmed = nowMs();
        SendNotifyMessageW(box, WM_COMMAND, IDOK, 0);
        while (section.bytes()[31] == SharedSection::kSentinel && nowMs() - confirmed < 3000) Sleep(1);
        if (section.bytes() != recordOf("HELLOO")) break;
        latencies.push_back(nowMs() - confirmed);
        while (IsWindow(box)) Sleep(1);
    }
    return latencies;
}

// The DLLs a PE image imports, read from its import directory.
std::vector<std::string> importedDlls(const std::wstring& path) {
    std::vector<std::string> names;
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto fits = [&](size_t offset, size_t size) {
        return offset <= image.size() && size <= image.size() - offset;
    };
    if (!fits(0, sizeof(IMAGE_DOS_HEADER))) return names;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    if (!fits(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64))) return names;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return image.size();
    };
    size_t offset = fileOffset(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; fits(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)); offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + offset);
        if (entry->Name == 0) break;
        const size_t name = fileOffset(entry->Name);
        if (!fits(name, 1)) break;
        names.emplace_back(image.data() + name, strnlen(image.data() + name, image.size() - name));
    }
    return names;
}

std::string verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

// Start-up and memory of any dialog programs side by side, to find where a cost comes from.
int compare(int count, wchar_t** exes) {
    for (int i = 0; i < count; ++i) {
        const std::wstring exe = exes[i][0] && exes[i][1] == L':' ? exes[i] : testBinDir() + exes[i];
        startOnce(exe);
        std::vector<double> ms, ws, priv;
        for (int run = 0; run < 9; ++run) {
            if (const auto start = startOnce(exe)) {
                ms.push_back(start->ms);
                ws.push_back(start->workingSetKiB);
                priv.push_back(start->privateKiB);
            }
        }
        std::printf("%-28ls start %7.1f ms  working set %7.0f KiB  private %7.0f KiB\n", exes[i],
                    stats(ms).median, stats(ws).median, stats(priv).median);
    }
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc > 2 && std::wstring(argv[1]) == L"--compare") return compare(argc - 2, argv + 2);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench OUT.json [starts] [notices]\n       bench --compare EXE...\n");
        return 2;
    }
    // Start-up under Wine swings by a tenth from one start to the next: fewer starts leave the medians
    // too loose for a limit of 8 %.
    const int starts = argc > 2 ? _wtoi(argv[2]) : 30;
    const int notices = argc > 3 ? _wtoi(argv[3]) : 40;
    const std::wstring program = testBinDir() + L"SonvaroSet.exe";
    const std::wstring baseline = testBinDir() + L"baseline-dialog.exe";
    // The program's own dialog template with nothing behind it: tells the template's cost from the code's.
    const std::wstring templateOnly = testBinDir() + L"template-dialog.exe";
    const std::wstring exes[3] = {program, baseline, templateOnly};

    // The assistant runs, as it does when a user opens the settings; its section is the latency test's too.
    const SharedSection assistant;
    // One start of each first, so all pay for cold caches alike; then take turns.
    for (const auto& exe : exes) startOnce(exe);
    std::vector<double> startMs[3], workingSet[3], privateBytes[3];
    for (int run = 0; run < starts; ++run) {
        for (int which = 0; which < 3; ++which) {
            const auto start = startOnce(exes[which]);
            if (!start) continue;
            startMs[which].push_back(start->ms);
            workingSet[which].push_back(start->workingSetKiB);
            privateBytes[which].push_back(start->privateKiB);
        }
    }
    const Stats start[3] = {stats(startMs[0]), stats(startMs[1]), stats(startMs[2])};
    const Stats ws[3] = {stats(workingSet[0]), stats(workingSet[1]), stats(workingSet[2])};
    const Stats priv[3] = {stats(privateBytes[0]), stats(privateBytes[1]), stats(privateBytes[2])};
    const std::vector<double> latencies = noticeLatencies(notices);
    const Stats latency = stats(latencies);
    const size_t latencyCount = latencies.size();

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &attributes);
    const unsigned long long exeBytes = attributes.nFileSizeLow;
    const auto imports = importedDlls(program);

    // The program against its own template with no code behind it: what the program's code adds.
    const double startRatio = start[0].median / start[2].median;
    const double wsRatio = ws[0].median / ws[2].median;
    auto row = [](const char* what, const Stats(&figures)[3], const char* format) {
        std::printf("%-28s", what);
        for (const Stats& f : figures) std::printf(format, f.median);
        std::printf("%8.2f %8.2f\n", figures[0].median / figures[1].median,
                    figures[0].median / figures[2].median);
    };
    std::printf("%-28s%12s%12s%12s%9s%9s\n", "", "SonvaroSet", "baseline", "template", "/base", "/tmpl");
    row("start-up median (ms)", start, "%12.1f");
    std::printf("%-28s", "  quartiles (ms)");
    for (const Stats& f : start) std::printf("%6.0f..%-4.0f", f.q1, f.q3);
    std::printf("\n%-28s", "  range (ms)");
    for (const Stats& f : start) std::printf("%6.0f..%-4.0f", f.low, f.high);
    std::printf("\n");
    row("idle working set (KiB)", ws, "%12.0f");
    row("idle private bytes (KiB)", priv, "%12.0f");
    std::printf("%-28s%12.1f\n", "notice latency median (ms)", latency.median);
    std::printf("%-28s%12.1f\n", "notice latency max (ms)", latency.high);
    std::printf("%-28s%12llu\n", "exe size (bytes)", exeBytes);
    std::printf("%-28s", "imported DLLs");
    for (const auto& name : imports) std::printf(" %s", name.c_str());
    std::printf(
        "\n\nbaseline: a plain dialog of the same size with five controls\n"
        "template: the program's own dialog template, manifest and common controls, no code behind\n\n");
    std::printf(
        "targets: start-up / template %.3f <= 1.08 %s; working set / template %.3f <= 1.08 %s;\n"
        "         notice latency median %.1f <= 20 %s, max %.1f <= 100 %s\n",
        startRatio, verdict(startRatio <= 1.08).c_str(), wsRatio, verdict(wsRatio <= 1.08).c_str(),
        latency.median, verdict(latency.median <= 20).c_str(), latency.high,
        verdict(latency.high <= 100).c_str());

    std::FILE* json = _wfopen(argv[1], L"w");
    if (!json) return 1;
    std::fprintf(json, "{\n  \"starts\": %d,\n  \"startup_ms\": {", starts);
    const char* names[3] = {"program", "baseline", "template"};
    for (int i = 0; i < 3; ++i) {
        std::fprintf(json,
                     "\"%s\": {\"median\": %.1f, \"q1\": %.1f, \"q3\": %.1f, \"min\": %.1f, \"max\": %.1f}, ",
                     names[i], start[i].median, start[i].q1, start[i].q3, start[i].low, start[i].high);
    }
    std::fprintf(json, "\"ratio_to_template\": %.3f},\n", startRatio);
    for (auto [name, figures] : {std::pair{"working_set_kib", &ws}, {"private_kib", &priv}}) {
        std::fprintf(json,
                     "  \"%s\": {\"program\": %.0f, \"baseline\": %.0f, \"template\": %.0f, "
                     "\"ratio_to_template\": %.3f},\n",
                     name, (*figures)[0].median, (*figures)[1].median, (*figures)[2].median,
                     (*figures)[0].median / (*figures)[2].median);
    }
    std::fprintf(json, "  \"notice_latency_ms\": {\"changes\": %zu, \"median\": %.1f, \"max\": %.1f},\n",
                 latencyCount, latency.median, latency.high);
    std::fprintf(json, "  \"exe_bytes\": %llu,\n  \"imports\": [", exeBytes);
    for (size_t i = 0; i < imports.size(); ++i) {
        std::fprintf(json, "%s\"%s\"", i ? ", " : "", imports[i].c_str());
    }
    std::fprintf(json, "]\n}\n");
    std::fclose(json);
    return 0;
}

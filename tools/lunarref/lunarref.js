// Writes the first solar day of every lunar month from lunar 1881 to 2043,
// as an independent reference for the calendar's own month table.
//   npm install korean-lunar-calendar   (in a scratch folder)
//   NODE_PATH=<scratch>/node_modules node tools/lunarref/lunarref.js > tests/calendar/lunar_month_starts.txt
const KoreanLunarCalendar = require("korean-lunar-calendar");
const version = require("korean-lunar-calendar/package.json").version;

const pad = (n, w) => String(n).padStart(w, "0");
const out = [
    "# First solar day of every lunar month, lunar years 1881 to 2043.",
    `# Made once with the npm package korean-lunar-calendar ${version}, which follows the`,
    "# Korea Astronomy and Space Science Institute, by tools/lunarref/lunarref.js:",
    "#   NODE_PATH=<scratch>/node_modules node tools/lunarref/lunarref.js",
    "# Columns: solar date, lunar year, lunar month, L for an intercalary month.",
];
const cal = new KoreanLunarCalendar();
// Every solar day from the first of lunar 1881 to the last of lunar 2043.
for (let t = Date.UTC(1881, 0, 30); t <= Date.UTC(2044, 0, 29); t += 86400000) {
    const d = new Date(t);
    if (!cal.setSolarDate(d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()))
        throw new Error("out of range: " + d.toISOString());
    const l = cal.getLunarCalendar();
    if (l.day !== 1)
        continue;
    const date = `${d.getUTCFullYear()}-${pad(d.getUTCMonth() + 1, 2)}-${pad(d.getUTCDate(), 2)}`;
    out.push(`${date} ${l.year} ${l.month}${l.intercalation ? " L" : ""}`);
}
process.stdout.write(out.join("\n") + "\n");

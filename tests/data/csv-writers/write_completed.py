# Writes the completed Strainer rows of README as Python's csv module and pandas do.
# Run with Debian's python3 and python3-pandas, in this folder.
import csv, io, pandas as pd
proposed = "Strainer,Pipe Fitting,*,,,*,\nStrainer,Pipe Fitting,Mesh Size,,,,\nStrainer,Pipe Fitting,Pipe Size,,,,\n"
fill = {"*": ("YStrainer", "Valve", "*", "EQT"), "Mesh Size": ("YStrainer", "Valve", "MeshSize", ""),
        "Pipe Size": ("YStrainer", "Valve", "PipeSize", "")}
def completed(rows):
    for row in rows:
        t = fill[row[2]]
        row[3], row[4], row[5] = t[0], t[1], t[2]
        if t[3]: row[6] = t[3]
    return rows
rows = completed(list(csv.reader(io.StringIO(proposed))))
with open("csv-writer.csv", "w", newline="") as f: csv.writer(f).writerows(rows)
with open("csv-writer-quote-all.csv", "w", newline="") as f: csv.writer(f, quoting=csv.QUOTE_ALL).writerows(rows)
frame = pd.read_csv(io.StringIO(proposed), header=None, dtype=str, keep_default_na=False)
frame = pd.DataFrame(completed(frame.values.tolist()))
frame.to_csv("pandas.csv", header=False, index=False)
frame.to_csv("pandas-utf8-bom.csv", header=False, index=False, encoding="utf-8-sig")
frame.to_csv("pandas-utf16.csv", header=False, index=False, encoding="utf-16")
frame.to_csv("pandas-semicolon.csv", header=False, index=False, sep=";")

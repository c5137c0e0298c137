# Reads a results or answers CSV file with Python's csv module and prints it
# as JSON: the header, then every row with whole numbers and decimals
# converted, and times (local time, here UTC) as seconds since 1970.
import csv
import datetime
import json
import sys


def value(text):
    for convert in (int, float):
        try:
            return convert(text)
        except ValueError:
            pass
    try:
        moment = datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S")
        return int(moment.replace(tzinfo=datetime.timezone.utc).timestamp())
    except ValueError:
        return text


with open(sys.argv[1], newline="", encoding="utf-8") as file:
    rows = list(csv.reader(file, strict=True))
body = [[value(field) for field in row] for row in rows[1:]]
json.dump({"header": rows[0], "rows": body}, sys.stdout, ensure_ascii=False)

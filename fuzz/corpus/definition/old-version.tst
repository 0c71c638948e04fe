"ZOTRAW","Ver3.0"
"MyCall","JA1ZZZ"

"ZOTRAW","Ver4.0"
"MyCall","JA1ZZZ
"ContestName","A,B ""C""
"SelFreq","7"
"SelFreq",,-1,
"Multi2","EDIT","99999999999"
"[住所]"

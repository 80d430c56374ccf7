#!/usr/bin/python3
# Writes tests/data/exams/list.xlsx, a class list as openpyxl saves it (shared
# strings, numbers, a date, a boolean, a gap), and a copy as the seed of the .xlsx
# fuzz target. Run from the top folder; the result is committed, so the tests
# need no Python.
import datetime
import shutil
import openpyxl

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "名单"
sheet.append(["姓名", "班级", "学号", "考号", "语文"])
sheet.append(["张三", "高一(1)班", "007", 2023010001, 95.5, datetime.date(2008, 5, 1)])
sheet.append([])
sheet.append(["李四", "高一(2)班", 20230102, 123456789012345, True])
sheet["G4"] = "备注"
book.create_sheet("其他")["A1"] = "不是名单"
book.save("tests/data/exams/list.xlsx")
shutil.copy("tests/data/exams/list.xlsx", "fuzz/corpus/xlsx/list.xlsx")

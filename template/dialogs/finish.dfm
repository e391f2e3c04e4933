object FinishPage: TPoolTemplate
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = '$TITLE$ Setup'
  ClientHeight = 360
  ClientWidth = 497
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object SideBand: TShape
    Left = 0
    Top = 0
    Width = 164
    Height = 312
    Brush.Color = $00996633
    Pen.Style = psClear
  end
  object SideMark: TShape
    Left = 52
    Top = 40
    Width = 60
    Height = 60
    Brush.Color = $00D9B38C
    Pen.Color = clWhite
    Pen.Width = 3
    Shape = stCircle
  end
  object PageTitle: TLabel
    Left = 184
    Top = 20
    Width = 292
    Height = 52
    AutoSize = False
    Caption = 'Completing the $TITLE$ Setup Wizard'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -19
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    WordWrap = True
  end
  object PageText: TLabel
    Left = 184
    Top = 88
    Width = 292
    Height = 120
    AutoSize = False
    Caption = 
      'Setup has finished installing $TITLE$ on your computer.'#13#10#13#10'Click Finish to close the wizard.'
    WordWrap = True
  end
  object LaunchCheck: TRzCheckBox
    Left = 184
    Top = 220
    Width = 292
    Height = 17
    Caption = '&Start $TITLE$ now'
    Hint = 'LAUNCHPRODUCT'
    TabOrder = 0
  end
  object FooterLine: TBevel
    Left = 0
    Top = 312
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object BackButton: TButton
    Left = 232
    Top = 324
    Width = 75
    Height = 25
    Caption = '< &Back'
    Enabled = False
    TabOrder = 20
    Tag = 2
  end
  object NextButton: TButton
    Left = 308
    Top = 324
    Width = 75
    Height = 25
    Caption = '&Finish'
    Default = True
    Enabled = True
    TabOrder = 21
    Tag = 1
  end
  object CancelButton: TButton
    Left = 400
    Top = 324
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    Enabled = False
    TabOrder = 22
    Tag = 3
  end
end
